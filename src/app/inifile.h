#pragma once
// Sections of named values under the program's key in the settings store.
#include <QString>
#include <QStringList>

namespace verno {

class RegStore;

class T_IniFile {
public:
    // Creates the root key when it is missing.
    explicit T_IniFile(RegStore &store, const QString &rootKey = QStringLiteral("Software\\Qvo\\Verno"));

    // A Boolean is an integer that is true when not 0.
    bool ReadBool(const QString &section, const QString &name, bool defaultValue) const;
    // A string value is read as a decimal number (the default for other text);
    // a number value as it is; a missing value gives the default.
    int ReadInteger(const QString &section, const QString &name, int defaultValue) const;
    // A number value reads as its decimal text.
    QString ReadString(const QString &section, const QString &name, const QString &defaultValue) const;

    void WriteBool(const QString &section, const QString &name, bool value);       // "0" or "1"
    // A number value, unless a string value of that name exists: then decimal text.
    void WriteInteger(const QString &section, const QString &name, int value);
    void WriteString(const QString &section, const QString &name, const QString &value);

    bool SectionExists(const QString &section) const;
    void EraseSection(const QString &section);

    // Values in enumeration order; empty ones are dropped, and each entry is
    // what follows the first "=" of "name=text" cut to 255 characters.
    void ReadListSection(const QString &section, QStringList &list) const;
    // Replaces the section with values "1", "2", ... (empty entries too).
    void WriteListSection(const QString &section, const QStringList &list);

private:
    QString keyOf(const QString &section) const;

    RegStore &m_store;
    QString m_root;
};

} // namespace verno
