#include "Registry.h"

#include <algorithm>

namespace {

const QChar separator = QLatin1Char('\\');

} // namespace

Registry::Registry() = default;
Registry::~Registry() = default;
Registry::Registry(Registry &&) noexcept = default;
Registry &Registry::operator=(Registry &&) noexcept = default;

Registry::Node *Registry::makePath(Hive hive, int view, const QString &path)
{
    if (view < 0 || view > 2)
        return nullptr;
    const QStringList names = path.split(separator);
    if (names.contains(QString()))
        return nullptr;
    Node *node = &roots[hive][view];
    for (const QString &name : names)
        node = &node->children[name];
    return node;
}

bool Registry::addKey(Hive hive, int view, const QString &path)
{
    return makePath(hive, view, path) != nullptr;
}

bool Registry::setValue(Hive hive, int view, const QString &path, const QString &name, const Value &value)
{
    Node *node = makePath(hive, view, path);
    if (!node)
        return false;
    node->values[name] = value;
    return true;
}

const Registry::Node *Registry::root(Hive hive, int side) const
{
    return &roots[hive][side];
}

const Registry::Node *Registry::walk(const Node *from, const QString &path)
{
    for (const QString &name : path.split(separator)) {
        const auto child = from->children.find(name);
        if (child == from->children.end())
            return nullptr;
        from = &child->second;
    }
    return from;
}

std::optional<Registry::Key> Registry::open(const Key &parent, const QString &path, int view) const
{
    if (path.isEmpty())
        return parent;
    if (parent.node) {
        if (const Node *node = walk(parent.node, path))
            return Key{parent.hive, parent.side, node};
        return std::nullopt;
    }
    if (view < 0 || view > 2)
        return std::nullopt;
    const int side = view == DefaultView ? View64 : view;
    if (const Node *node = walk(root(parent.hive, side), path))
        return Key{parent.hive, side, node};
    if (const Node *node = walk(root(parent.hive, 0), path))
        return Key{parent.hive, 0, node};
    return std::nullopt;
}

std::optional<Registry::Value> Registry::value(const Key &key, const QString &name) const
{
    const Node *node = key.node ? key.node : root(key.hive, key.side);
    const auto found = node->values.find(name);
    if (found == node->values.end())
        return std::nullopt;
    return found->second;
}

QStringList Registry::subkeys(const Key &key) const
{
    QStringList names;
    if (!key.node) {
        // A hive lists the keys of its shared side and of the 64-bit side,
        // each once.
        for (const auto &child : root(key.hive, View64)->children)
            names.append(child.first);
        for (const auto &child : root(key.hive, 0)->children) {
            if (!root(key.hive, View64)->children.count(child.first))
                names.append(child.first);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    for (const auto &child : key.node->children)
        names.append(child.first);
    return names;
}
