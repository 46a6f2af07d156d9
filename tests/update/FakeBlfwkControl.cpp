#include "FakeBlfwkControl.h"

#include "Blfwk.h"

#include <QLibrary>

#include <type_traits>

FakeBlfwkControl::FakeBlfwkControl()
{
    QLibrary library(Blfwk::libraryPath());
    bool all = true;
    const auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        all = all && function;
    };
    resolve(m_restore, "fakeblfwk_restore");
    resolve(m_setPresent, "fakeblfwk_setPresent");
    resolve(m_failNext, "fakeblfwk_failNext");
    resolve(m_corruptReads, "fakeblfwk_corruptReads");
    resolve(m_setFullErrorText, "fakeblfwk_setFullErrorText");
    resolve(m_setPercentages, "fakeblfwk_setPercentages");
    resolve(m_setResetHook, "fakeblfwk_setResetHook");
    resolve(m_fill, "fakeblfwk_fill");
    resolve(m_peek, "fakeblfwk_peek");
    resolve(m_callLog, "fakeblfwk_callLog");
    // Never unloaded (the QLibrary object going away leaves it loaded), as
    // the program keeps its own handle.
    m_loaded = all;
}

void FakeBlfwkControl::restore()
{
    m_restore();
}

void FakeBlfwkControl::setPresent(int productId)
{
    m_setPresent(productId);
}

void FakeBlfwkControl::failNext(const char *entryPoint, int count)
{
    m_failNext(entryPoint, count);
}

void FakeBlfwkControl::corruptReads(uint32_t address, int count)
{
    m_corruptReads(address, count);
}

void FakeBlfwkControl::setFullErrorText(bool on)
{
    m_setFullErrorText(on ? 1 : 0);
}

void FakeBlfwkControl::setPercentages(const QVector<int> &percentages)
{
    m_setPercentages(percentages.constData(), percentages.size());
}

void FakeBlfwkControl::setResetHook(ResetHook hook, void *context)
{
    m_setResetHook(hook, context);
}

void FakeBlfwkControl::fill(uint8_t value)
{
    m_fill(value);
}

QByteArray FakeBlfwkControl::flash(uint32_t address, uint32_t length) const
{
    QByteArray bytes(int(length), '\0');
    if (!m_peek(address, reinterpret_cast<uint8_t *>(bytes.data()), length))
        return {};
    return bytes;
}

QStringList FakeBlfwkControl::calls() const
{
    QByteArray text(m_callLog(nullptr, 0) + 1, '\0');
    m_callLog(text.data(), text.size());
    return QString::fromLatin1(text.constData()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList FakeBlfwkControl::callsStartingWith(const QString &prefix) const
{
    QStringList matching;
    for (const QString &call : calls()) {
        if (call.startsWith(prefix))
            matching.append(call);
    }
    return matching;
}
