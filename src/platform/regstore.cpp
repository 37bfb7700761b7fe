#include "platform/regstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace verno {

namespace {

const QLatin1String kDwordPrefix("dword:");

// Names are compared without regard to case; the indexes hold them folded.
QString folded(const QString &name) { return name.toCaseFolded(); }

// Line breaks are escaped so that the file stays one value per line.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at line[pos] == '"'; pos ends past the closing
// quote. An unknown escape is kept as written, so a hand-typed "C:\temp" survives.
std::optional<QString> readQuoted(const QString &line, qsizetype &pos)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return std::nullopt;
    QString out;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return std::nullopt;
        switch (line[pos].unicode()) {
        case '\\': out += QLatin1Char('\\'); break;
        case '"': out += QLatin1Char('"'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        default: out += QLatin1Char('\\'); out += line[pos];
        }
    }
    return std::nullopt;
}

void skipBlanks(const QString &line, qsizetype &pos)
{
    while (pos < line.size() && (line[pos] == QLatin1Char(' ') || line[pos] == QLatin1Char('\t')))
        ++pos;
}

std::optional<qint32> parseDword(QStringView hex)
{
    if (hex.isEmpty() || hex.size() > 8)
        return std::nullopt;
    quint32 n = 0;
    for (QChar c : hex) {
        const int digit = QStringView(QStringLiteral("0123456789abcdef")).indexOf(c.toLower());
        if (digit < 0)
            return std::nullopt;
        n = n * 16 + quint32(digit);
    }
    return qint32(n);
}

struct ParsedValue {
    QString name;
    RegValue value;
};

// "name"="text" or "name"=dword:hhhhhhhh; the line is already trimmed.
std::optional<ParsedValue> parseValueLine(const QString &line)
{
    qsizetype pos = 0;
    std::optional<QString> name = readQuoted(line, pos);
    if (!name)
        return std::nullopt;
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != QLatin1Char('='))
        return std::nullopt;
    ++pos;
    skipBlanks(line, pos);
    ParsedValue result{*name, {}};
    if (pos < line.size() && line[pos] == QLatin1Char('"')) {
        std::optional<QString> text = readQuoted(line, pos);
        skipBlanks(line, pos);
        if (!text || pos != line.size())
            return std::nullopt;
        result.value.text = *text;
        return result;
    }
    if (!QStringView(line).mid(pos).startsWith(kDwordPrefix, Qt::CaseInsensitive))
        return std::nullopt;
    std::optional<qint32> n = parseDword(QStringView(line).mid(pos + kDwordPrefix.size()).trimmed());
    if (!n)
        return std::nullopt;
    result.value.kind = RegValue::Number;
    result.value.number = *n;
    return result;
}

QString warningLine(const QString &path, const QString &detail)
{
    return QStringLiteral("verno: settings file %1: %2").arg(path, detail);
}

} // namespace

QString RegStore::defaultPath()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Qvo/Verno.reg");
}

bool RegStore::load(const QString &path)
{
    clear();
    m_warning.clear();
    m_readError.clear();
    QFile file(path);
    if (!file.exists())
        return false;
    // A folder, pipe or device in its place is not read: that could block or never end.
    const bool regular = QFileInfo(path).isFile();
    QByteArray bytes;
    if (regular && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        const QString reason = regular ? file.errorString() : QStringLiteral("Not a regular file");
        m_readError = QStringLiteral("Cannot read file %1: %2").arg(path, reason);
        m_warning = warningLine(path, QStringLiteral("cannot be read (%1)").arg(reason));
        clear();
        return true;
    }
    const int skipped = parse(bytes);
    if (skipped > 0)
        m_warning = warningLine(path, skipped == 1
                                          ? QStringLiteral("1 unreadable line skipped")
                                          : QStringLiteral("%1 unreadable lines skipped").arg(skipped));
    return true;
}

int RegStore::parse(const QByteArray &bytes)
{
    clear();
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    int skipped = 0;
    Key *current = nullptr; // none: no usable header yet, values are skipped
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView raw = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // Pointers into the tree hold until the next key is created.
            current = line.endsWith(QLatin1Char(']')) ? findOrCreate(line.mid(1, line.size() - 2)) : nullptr;
            if (!current)
                ++skipped;
            continue;
        }
        const std::optional<ParsedValue> value = parseValueLine(line);
        if (current && value)
            setValue(*current, value->name, value->value);
        else
            ++skipped;
    }
    return skipped;
}

QString RegStore::save(const QString &path) const
{
    const QString folder = QFileInfo(path).absolutePath();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), ec);
    if (ec)
        return QStringLiteral("Cannot create folder %1: %2").arg(folder, QString::fromStdString(ec.message()));
    // Unbuffered, because a buffered flush takes a short write (full disk,
    // size limit) for success; writing the rest again reports the real error.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString());
    const QByteArray text = serialize();
    for (qsizetype done = 0; done < text.size();) {
        const qint64 n = file.write(text.constData() + done, text.size() - done);
        if (n <= 0)
            return QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString());
        done += n;
    }
    if (!file.commit())
        return QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString());
    return {};
}

QByteArray RegStore::serialize() const
{
    QByteArray out;
    serializeKey(m_root, QString(), out);
    return out;
}

void RegStore::serializeKey(const Key &key, const QString &path, QByteArray &out)
{
    // A key above others is implied by their headers; only keys that hold
    // values or nothing at all need their own.
    if (!path.isEmpty() && (!key.values.empty() || key.subkeys.empty())) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + path.toUtf8() + "]\n";
        for (const Value &v : key.values) {
            QString line = QLatin1Char('"') + escaped(v.name) + QStringLiteral("\"=");
            if (v.value.kind == RegValue::Number)
                line += kDwordPrefix + QStringLiteral("%1").arg(quint32(v.value.number), 8, 16, QLatin1Char('0'));
            else
                line += QLatin1Char('"') + escaped(v.value.text) + QLatin1Char('"');
            out += line.toUtf8() + '\n';
        }
    }
    std::vector<const Key *> children;
    for (const Key &k : key.subkeys)
        children.push_back(&k);
    std::sort(children.begin(), children.end(), [](const Key *a, const Key *b) {
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    });
    for (const Key *child : children)
        serializeKey(*child, path.isEmpty() ? child->name : path + QLatin1Char('\\') + child->name, out);
}

void RegStore::clear()
{
    m_root = Key();
}

std::optional<QStringList> RegStore::splitPath(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    for (const QString &p : parts)
        if (p.contains(QLatin1Char('\n')) || p.contains(QLatin1Char('\r')))
            return std::nullopt;
    return parts;
}

bool RegStore::sameName(const QString &a, const QString &b) const
{
    ++m_comparisons;
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

qsizetype RegStore::subkeyIndex(const Key &key, const QString &name) const
{
    const auto it = key.subkeyAt.constFind(folded(name));
    return it != key.subkeyAt.cend() && sameName(key.subkeys[*it].name, name) ? qsizetype(*it) : -1;
}

qsizetype RegStore::valueIndex(const Key &key, const QString &name) const
{
    const auto it = key.valueAt.constFind(folded(name));
    return it != key.valueAt.cend() && sameName(key.values[*it].name, name) ? qsizetype(*it) : -1;
}

const RegStore::Key *RegStore::find(const QString &path) const
{
    const std::optional<QStringList> parts = splitPath(path);
    if (!parts)
        return nullptr;
    const Key *key = &m_root;
    for (const QString &part : *parts) {
        const qsizetype i = subkeyIndex(*key, part);
        if (i < 0)
            return nullptr;
        key = &key->subkeys[i];
    }
    return key;
}

RegStore::Key *RegStore::findOrCreate(const QString &path)
{
    const std::optional<QStringList> parts = splitPath(path);
    if (!parts)
        return nullptr;
    Key *key = &m_root;
    for (const QString &part : *parts) {
        qsizetype i = subkeyIndex(*key, part);
        if (i < 0) {
            i = qsizetype(key->subkeys.size());
            key->subkeyAt.insert(folded(part), size_t(i));
            key->subkeys.push_back(Key{part, {}, {}, {}, {}});
        }
        key = &key->subkeys[i];
    }
    return key;
}

bool RegStore::createKey(const QString &path)
{
    return findOrCreate(path) != nullptr;
}

bool RegStore::keyExists(const QString &path) const
{
    return find(path) != nullptr;
}

bool RegStore::deleteKey(const QString &path)
{
    std::optional<QStringList> parts = splitPath(path);
    if (!parts)
        return false;
    const QString name = parts->takeLast();
    Key *parent = parts->isEmpty() ? &m_root : const_cast<Key *>(find(parts->join(QLatin1Char('\\'))));
    const qsizetype doomed = parent ? subkeyIndex(*parent, name) : -1;
    if (doomed < 0)
        return false;
    parent->subkeys.erase(parent->subkeys.begin() + doomed);
    parent->subkeyAt.clear();
    for (size_t i = 0; i < parent->subkeys.size(); ++i)
        parent->subkeyAt.insert(folded(parent->subkeys[i].name), i);
    return true;
}

QStringList RegStore::subkeyNames(const QString &path) const
{
    QStringList names;
    if (const Key *key = find(path))
        for (const Key &k : key->subkeys)
            names << k.name;
    return names;
}

QStringList RegStore::valueNames(const QString &key) const
{
    QStringList names;
    if (const Key *k = find(key))
        for (const Value &v : k->values)
            names << v.name;
    return names;
}

std::vector<std::pair<QString, RegValue>> RegStore::values(const QString &key) const
{
    std::vector<std::pair<QString, RegValue>> result;
    if (const Key *k = find(key)) {
        result.reserve(k->values.size());
        for (const Value &v : k->values)
            result.emplace_back(v.name, v.value);
    }
    return result;
}

std::optional<RegValue> RegStore::readValue(const QString &key, const QString &name) const
{
    const Key *k = find(key);
    const qsizetype i = k ? valueIndex(*k, name) : -1;
    if (i < 0)
        return std::nullopt;
    return k->values[i].value;
}

void RegStore::setValue(Key &key, const QString &name, const RegValue &value)
{
    if (const qsizetype i = valueIndex(key, name); i >= 0) {
        key.values[i].value = value;
        return;
    }
    key.valueAt.insert(folded(name), key.values.size());
    key.values.push_back(Value{name, value});
}

bool RegStore::writeValue(const QString &key, const QString &name, const RegValue &value)
{
    Key *k = findOrCreate(key);
    if (!k)
        return false;
    setValue(*k, name, value);
    return true;
}

bool RegStore::writeString(const QString &key, const QString &name, const QString &text)
{
    return writeValue(key, name, RegValue{RegValue::String, text, 0});
}

bool RegStore::writeNumber(const QString &key, const QString &name, qint32 number)
{
    return writeValue(key, name, RegValue{RegValue::Number, QString(), number});
}

} // namespace verno
