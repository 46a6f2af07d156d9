#pragma once
// What follows a profile when it moves to another index pair or is deleted:
// the go-to-profile outputs aiming at it (in every profile's mappings and
// profile outputs) and the choices remembered per application. Record the
// moves and deletions of one change, then apply them once:
//
//     ProfileRenumbering renumbering;
//     renumbering.remove(1, 255);       // profile 1 was deleted
//     renumbering.move(2, 255, 1, 255); // profile 2 took its place
//     renumbering.apply(PackageCreator::instance());
//
// A go-to-profile output aiming at a deleted profile then aims at the global
// profile; a remembered choice of a deleted profile is forgotten. Pairs that
// were neither moved nor deleted stay as they are.

#include <QHash>

class PackageCreator;

class ProfileRenumbering
{
public:
    void move(int oldIndex, int oldSubIndex, int newIndex, int newSubIndex);
    void remove(int index, int subIndex);
    bool isEmpty() const { return m_moves.isEmpty(); }
    void apply(PackageCreator *model) const;

private:
    // Old pair to new pair (index << 8 | subIndex), or to -1 for deleted.
    QHash<int, int> m_moves;
};
