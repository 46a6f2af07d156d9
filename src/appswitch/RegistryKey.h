#pragma once
#include "Registry.h"

#include <QString>
#include <QStringList>

#include <optional>

// An open key of the registry with the view it was opened in.
class RegistryKey
{
public:
    // The hive keys, view 0; they are always open.
    static RegistryKey localMachine(const Registry &registry);
    static RegistryKey users(const Registry &registry);

    int view() const { return keyView; }

    // The key at path below this one, opened in view (0 default, 1 32-bit,
    // 2 64-bit); nothing when it does not open.
    std::optional<RegistryKey> open(const QString &path, int view) const;
    // A value as text, read into room for 260 characters: a text as it is
    // (one to expand with its %NAME% variables expanded), a number in signed
    // decimal. Empty for a missing value, one of another type and one that
    // does not fit.
    QString queryText(const QString &name) const;
    // The names of the sub-keys; one longer than the room for a name is left out.
    QStringList enumerateSubkeys() const;

private:
    RegistryKey(const Registry &registry, const Registry::Key &key, int view);

    const Registry *registry;
    Registry::Key key;
    int keyView;
};
