#pragma once
// The per-user settings store: a hierarchical key-value model kept in one
// text file written in the style of a registry export, so that a person can
// read and edit it.
//
//   [Software\Qvo\Verno\Options]
//   "Backup"="1"
//   "ShiftCount"=dword:00000002
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

namespace verno {

struct RegValue {
    enum Kind { String, Number };
    Kind kind = String;
    QString text;      // String values
    qint32 number = 0; // Number values
};

class RegStore {
public:
    // $XDG_CONFIG_HOME/Qvo/Verno.reg, or ~/.config/Qvo/Verno.reg.
    static QString defaultPath();

    // Replaces the model with the file's contents. Never fails hard: lines that
    // cannot be read are skipped and summed up in warning(); a file that exists
    // but cannot be read at all leaves the model empty and sets readError().
    // Returns false only when the file does not exist (a first start).
    bool load(const QString &path);
    // Writes the whole model to a temporary file beside path and renames it
    // over the old one; creates the folder when missing. Returns an error
    // text, empty on success; on failure the old file is left as it was.
    QString save(const QString &path) const;

    // One line for standard error about the last load, empty when it read cleanly.
    const QString &warning() const { return m_warning; }
    // "Cannot read file ...: reason" when the last load found a file it could not read.
    const QString &readError() const { return m_readError; }

    // Parses file text into the model (replacing it); returns the number of
    // lines skipped. serialize() gives the text save() writes.
    int parse(const QByteArray &bytes);
    QByteArray serialize() const;

    void clear();

    // Key paths are backslash-separated ("Software\\Qvo\\Verno\\Options") and
    // compared without regard to case. An empty path or a name holding a line
    // break is not a key: operations on it do nothing and answer false/empty.
    bool createKey(const QString &path); // with every missing key above it
    bool keyExists(const QString &path) const;
    bool deleteKey(const QString &path); // with its values and subkeys
    QStringList subkeyNames(const QString &path) const;

    // Value names in the order they were first written.
    QStringList valueNames(const QString &key) const;
    // The values themselves with their names, in the same order.
    std::vector<std::pair<QString, RegValue>> values(const QString &key) const;
    std::optional<RegValue> readValue(const QString &key, const QString &name) const;
    // Create the key when missing; a rewritten value keeps its place.
    bool writeString(const QString &key, const QString &name, const QString &text);
    bool writeNumber(const QString &key, const QString &name, qint32 number);

    // How many times two names were compared so far: lookups go through an
    // index, so this grows with the number of operations, not their square.
    quint64 nameComparisons() const { return m_comparisons; }

private:
    struct Value {
        QString name;
        RegValue value;
    };
    struct Key {
        QString name;
        std::vector<Value> values;
        std::vector<Key> subkeys;
        // Positions by case-folded name.
        QHash<QString, size_t> valueAt;
        QHash<QString, size_t> subkeyAt;
    };

    static std::optional<QStringList> splitPath(const QString &path);
    const Key *find(const QString &path) const;
    Key *findOrCreate(const QString &path);
    // Positions of the subkey or value of that name; -1 when there is none.
    qsizetype subkeyIndex(const Key &key, const QString &name) const;
    qsizetype valueIndex(const Key &key, const QString &name) const;
    bool sameName(const QString &a, const QString &b) const;
    void setValue(Key &key, const QString &name, const RegValue &value);
    bool writeValue(const QString &key, const QString &name, const RegValue &value);
    static void serializeKey(const Key &key, const QString &path, QByteArray &out);

    Key m_root;
    QString m_warning;
    QString m_readError;
    mutable quint64 m_comparisons = 0;
};

} // namespace verno
