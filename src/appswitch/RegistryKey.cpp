#include "RegistryKey.h"

namespace {

// The room for a value's text or a key's name, the terminating null included.
constexpr int textRoom = 260;

// %NAME% replaced by the environment variable's value; a name that is not
// set keeps its percent signs.
QString expandEnvironment(const QString &text)
{
    QString expanded;
    int from = 0;
    for (;;) {
        const int open = text.indexOf(QLatin1Char('%'), from);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            expanded += text.midRef(from);
            return expanded;
        }
        const QString name = text.mid(open + 1, close - open - 1);
        if (!name.isEmpty() && qEnvironmentVariableIsSet(name.toLocal8Bit().constData())) {
            expanded += text.midRef(from, open - from);
            expanded += qEnvironmentVariable(name.toLocal8Bit().constData());
            from = close + 1;
        } else {
            // The closing sign may open the next name.
            expanded += text.midRef(from, close - from);
            from = close;
        }
    }
}

bool fits(const QString &text)
{
    return text.size() < textRoom;
}

} // namespace

RegistryKey::RegistryKey(const Registry &registry, const Registry::Key &key, int view)
    : registry(&registry)
    , key(key)
    , keyView(view)
{}

RegistryKey RegistryKey::localMachine(const Registry &registry)
{
    return RegistryKey(registry, Registry::hiveKey(Registry::LocalMachine), 0);
}

RegistryKey RegistryKey::users(const Registry &registry)
{
    return RegistryKey(registry, Registry::hiveKey(Registry::Users), 0);
}

std::optional<RegistryKey> RegistryKey::open(const QString &path, int view) const
{
    const std::optional<Registry::Key> opened = registry->open(key, path, view);
    if (!opened)
        return std::nullopt;
    return RegistryKey(*registry, *opened, view);
}

QString RegistryKey::queryText(const QString &name) const
{
    const std::optional<Registry::Value> value = registry->value(key, name);
    if (!value)
        return QString();
    switch (value->type) {
    case Registry::Value::Text: {
        const QString text = value->data.toString();
        return fits(text) ? text : QString();
    }
    case Registry::Value::ExpandText: {
        const QString text = value->data.toString();
        if (!fits(text))
            return QString();
        const QString expanded = expandEnvironment(text);
        return fits(expanded) ? expanded : QString();
    }
    case Registry::Value::Number:
        return QString::number(qint32(value->data.toUInt()));
    default:
        return QString();
    }
}

QStringList RegistryKey::enumerateSubkeys() const
{
    QStringList names = registry->subkeys(key);
    names.erase(std::remove_if(names.begin(), names.end(), [](const QString &name) { return !fits(name); }),
                names.end());
    return names;
}
