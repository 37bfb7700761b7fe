#include "app/inifile.h"

#include "platform/regstore.h"

namespace verno {

namespace {

constexpr qsizetype kShortTextMax = 255;

// The first max characters, never ending in half of a surrogate pair.
QString cutTo(const QString &text, qsizetype max)
{
    if (text.size() <= max)
        return text;
    qsizetype n = max;
    if (n > 0 && text[n - 1].isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

T_IniFile::T_IniFile(RegStore &store, const QString &rootKey) : m_store(store), m_root(rootKey)
{
    m_store.createKey(m_root);
}

QString T_IniFile::keyOf(const QString &section) const
{
    return m_root + QLatin1Char('\\') + section;
}

bool T_IniFile::ReadBool(const QString &section, const QString &name, bool defaultValue) const
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

int T_IniFile::ReadInteger(const QString &section, const QString &name, int defaultValue) const
{
    const std::optional<RegValue> value = m_store.readValue(keyOf(section), name);
    if (!value)
        return defaultValue;
    if (value->kind == RegValue::Number)
        return value->number;
    bool ok = false;
    const int n = value->text.toInt(&ok, 10);
    return ok ? n : defaultValue;
}

QString T_IniFile::ReadString(const QString &section, const QString &name,
                              const QString &defaultValue) const
{
    const std::optional<RegValue> value = m_store.readValue(keyOf(section), name);
    if (!value)
        return defaultValue;
    return value->kind == RegValue::Number ? QString::number(value->number) : value->text;
}

void T_IniFile::WriteBool(const QString &section, const QString &name, bool value)
{
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void T_IniFile::WriteInteger(const QString &section, const QString &name, int value)
{
    const std::optional<RegValue> old = m_store.readValue(keyOf(section), name);
    if (old && old->kind == RegValue::String)
        WriteString(section, name, QString::number(value));
    else
        m_store.writeNumber(keyOf(section), name, value);
}

void T_IniFile::WriteString(const QString &section, const QString &name, const QString &value)
{
    m_store.writeString(keyOf(section), name, value);
}

bool T_IniFile::SectionExists(const QString &section) const
{
    return m_store.keyExists(keyOf(section));
}

void T_IniFile::EraseSection(const QString &section)
{
    m_store.deleteKey(keyOf(section));
}

void T_IniFile::ReadListSection(const QString &section, QStringList &list) const
{
    list.clear();
    for (const auto &[name, value] : m_store.values(keyOf(section))) {
        const QString text = value.kind == RegValue::Number ? QString::number(value.number) : value.text;
        if (text.isEmpty())
            continue;
        const QString line = cutTo(name + QLatin1Char('=') + text, kShortTextMax);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // Only a name of 255 characters or more leaves no "=" and no text.
        if (eq >= 0)
            list << line.mid(eq + 1);
    }
}

void T_IniFile::WriteListSection(const QString &section, const QStringList &list)
{
    EraseSection(section);
    // The section exists afterwards even when the list is empty.
    m_store.createKey(keyOf(section));
    for (qsizetype i = 0; i < list.size(); ++i)
        WriteString(section, QString::number(i + 1), list[i]);
}

} // namespace verno
