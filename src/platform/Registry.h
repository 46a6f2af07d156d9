#pragma once
// A small read-only registry of keys and values, in the shape of the lists of
// installed programs that the program reads: two hives, each key a path of
// names separated by backslashes, with named values and sub-keys. The program
// fills one from the desktop entries (DesktopEntryRegistry); tests fill one by
// hand. Readers only open keys, read values and list sub-keys.
//
// Views: a key stored with view 0 is shared, seen from every view; one stored
// with view 1 (32-bit) or 2 (64-bit) is seen only when opened from a hive in
// that view, where it hides a shared key of the same path. Opening in view 0
// sees the 64-bit side, as a 64-bit program does. Names compare exactly
// (letter case counts); sub-keys are listed in name order.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <optional>

class Registry
{
public:
    enum Hive { LocalMachine, Users };
    enum View { DefaultView = 0, View32 = 1, View64 = 2 };

    struct Value
    {
        // The kinds a value can have; the numbers are those of the system's types.
        enum Type { Text = 1, ExpandText = 2, Binary = 3, Number = 4, TextList = 7 };
        Type type = Text;
        // QString for the texts, quint32 for Number, QByteArray for Binary,
        // QStringList for TextList.
        QVariant data;

        static Value text(const QString &text) { return {Text, text}; }
        static Value expandText(const QString &text) { return {ExpandText, text}; }
        static Value number(quint32 number) { return {Number, number}; }
    };

    struct Node;
    // An open key. The hive keys below are always open; others come from
    // open() and stay valid as long as the registry is neither changed nor
    // destroyed.
    struct Key
    {
        Hive hive = LocalMachine;
        int side = 0;               // 0 shared, 1 or 2 the view it was stored for
        const Node *node = nullptr; // null: the hive itself
    };
    static Key hiveKey(Hive hive) { return Key{hive, 0, nullptr}; }

    Registry();
    ~Registry();
    Registry(Registry &&) noexcept;
    Registry &operator=(Registry &&) noexcept;
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // Filling. The path's keys are made as needed; a value of the same name
    // is replaced. False (and nothing stored) for a path with an empty name
    // in it or a view other than 0, 1, 2.
    bool addKey(Hive hive, int view, const QString &path);
    bool setValue(Hive hive, int view, const QString &path, const QString &name, const Value &value);

    // Reading. The key at path below parent; from a hive the view chooses
    // the side (see above), below an open key the path stays on that key's
    // side. An empty path opens parent again. Nothing when there is no such
    // key.
    std::optional<Key> open(const Key &parent, const QString &path, int view) const;
    std::optional<Value> value(const Key &key, const QString &name) const;
    QStringList subkeys(const Key &key) const;

    struct Node
    {
        std::map<QString, Node> children;
        std::map<QString, Value> values;
    };

private:
    Node *makePath(Hive hive, int view, const QString &path);
    const Node *root(Hive hive, int side) const;
    static const Node *walk(const Node *from, const QString &path);

    // Per hive: the shared side, the 32-bit side and the 64-bit side.
    Node roots[2][3];
};
