#pragma once

#include <QLatin1String>
#include <QString>

#include <utility>
#include <vector>

class JsonTree;

// One value of a JsonTree (which must outlive it), read as a QJsonValue,
// QJsonObject or QJsonArray would be: a missing member is undefined, a value
// of another type reads as the default of the conversion (false, 0, an empty
// text, an empty object or array).
//
//     for (const JsonNode item : element.value("ActivationOutputActionItems").toArray())
//         if (item.value("TypeId") == QLatin1String("profileJump")) ...
class JsonNode
{
public:
    JsonNode() = default;

    bool isUndefined() const { return !m_tree; }
    // Where the value stands in its tree: two values of one tree are the
    // same value exactly when their places are equal.
    quint32 place() const { return m_index; }
    bool isNull() const;
    bool isBool() const;
    bool isDouble() const;
    bool isString() const;
    bool isArray() const;
    bool isObject() const;

    bool toBool() const;
    double toDouble() const;
    QString toString() const;
    // Whether this is a string equal to text, without decoding it.
    bool operator==(QLatin1String text) const;
    bool operator!=(QLatin1String text) const { return !(*this == text); }

    // Itself when it is an object or an array, otherwise an undefined value
    // (which reads as empty).
    JsonNode toObject() const { return isObject() ? *this : JsonNode(); }
    JsonNode toArray() const { return isArray() ? *this : JsonNode(); }

    // --- Objects: the member of that key (the last one, when a key appears
    // more than once); undefined when there is none or this is no object.
    template<int N>
    JsonNode value(const char (&key)[N]) const
    {
        return value(key, N - 1);
    }
    JsonNode value(QLatin1String key) const { return value(key.data(), key.size()); }

    // --- Arrays (and the members of objects): how many, and in order.
    int size() const;
    bool isEmpty() const { return size() == 0; }
    class Iterator
    {
    public:
        JsonNode operator*() const { return JsonNode(m_tree, m_index); }
        Iterator &operator++();
        bool operator!=(const Iterator &other) const { return m_left != other.m_left; }

    private:
        friend class JsonNode;
        Iterator(const JsonTree *tree, quint32 index, int left)
            : m_tree(tree)
            , m_index(index)
            , m_left(left)
        {}
        const JsonTree *m_tree;
        quint32 m_index;
        int m_left;
    };
    // The elements of an array; nothing for any other value.
    Iterator begin() const;
    Iterator end() const;
    // The members of an object in the order of the text, a repeated key as
    // often as it stands there; nothing for any other value.
    std::vector<std::pair<QString, JsonNode>> members() const;

private:
    friend class JsonTree;
    JsonNode(const JsonTree *tree, quint32 index)
        : m_tree(tree)
        , m_index(index)
    {}
    JsonNode value(const char *key, int size) const;
    bool keyEquals(quint32 keyIndex, const char *key, int size) const;

    const JsonTree *m_tree = nullptr;
    quint32 m_index = 0;
};
