#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The station key: named, typed values in one SQLite file,
// $XDG_CONFIG_HOME/ZazivEd/Properties1.db. Names compare case-insensitively.
// Reading never creates the file; every write is one transaction, so a crash
// or power cut leaves either the old value or the new one. The file and its
// folder are readable by their owner only.
class StationKey
{
public:
    enum ValueType : int { Text = 1, DWord = 4 };

    // The default file under the user's configuration folder.
    static QString defaultPath();

    explicit StationKey(QString path = defaultPath());

    QString path() const { return m_path; }

    // What one read found. `problem` (short, Turkish) is set when the file
    // exists but could not be read: locked by another program, a leftover
    // journal that could not be rolled back, a damaged file. Then `value` is
    // empty and means nothing.
    struct Lookup
    {
        std::optional<QString> value;
        QString problem;
        bool readable() const { return problem.isEmpty(); }
    };
    Lookup lookup(const QString &name) const;

    // A text value, or no value for a missing file, name or a value of
    // another type, or an unreadable file. A stored NUL ends the text.
    std::optional<QString> read(const QString &name) const { return lookup(name).value; }
    bool write(const QString &name, const QString &text) const;
    bool writeRaw(const QString &name, int type, const QByteArray &data) const;
    // Removes the value; true when it is gone (or never was).
    bool remove(const QString &name) const;
    // Every value's name; empty with `problem` set when the file cannot be read.
    QStringList names(QString *problem = nullptr) const;

private:
    QString m_path;
};

// The station key as the screens use it.
std::optional<QString> ReadRegValue(const QString &name);
void WriteRegValue(const QString &name, const QString &text);

// Told of each value WriteRegValue or SaveAppSetting changes (`app`: the
// application settings area), after it is written. One observer; empty: none.
using SettingChangeObserver = std::function<void(const QString &name, const QString &value, bool app)>;
void SetSettingChangeObserver(SettingChangeObserver observer);

// Conversions the callers make of a read value.
QString regText(const std::optional<QString> &value); // no value -> ""
bool regBool(const std::optional<QString> &value);    // "True" -> true

// The application settings area: QSettings, $XDG_CONFIG_HOME/Tavran/Tavran.ini.
// Section is always "Properties".
QString GetAppSetting(const QString &section, const QString &key, const QString &defaultValue = {});
// False (and logged) when the file cannot be written.
bool SaveAppSetting(const QString &section, const QString &key, const QString &value);
QStringList AppSettingKeys(const QString &section);
