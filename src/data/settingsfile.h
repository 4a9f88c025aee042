#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zarfan {

// The aya font as all.txt keeps it.
struct FontRecord {
    QString name = QStringLiteral("Tahoma");
    double size = 11.25;
    bool italic = false;
    bool bold = false;
};

// What one read of all.txt yields. Name and size are absent when the file
// does not give a usable value; italic and bold fall back to false.
struct SettingsRead {
    std::optional<QString> name;
    std::optional<double> size;
    bool italic = false;
    bool bold = false;
};

QString settingsPath(const QString &appFolder);
// The reader's own copy of all.txt lives here once the program's folder
// turned out read-only: ZARFAN_USER_DATA when set, else the per-user
// settings folder.
QString userSettingsFolder();

// Parses the first line of the file's bytes.
SettingsRead parseSettings(const QByteArray &content);
// Reads the reader's copy when there is one, else all.txt beside the
// program; a missing or unreadable file reads as nothing usable.
SettingsRead readSettings(const QString &appFolder, const QString &userFolder = userSettingsFolder());

// The one line, CR LF included: "Tahoma",14,#FALSE#,#TRUE#
QByteArray formatSettings(const FontRecord &font);
// Replaces the file read first as a whole; when the program's folder cannot
// be written, the reader's copy is made. False when neither can be written.
bool writeSettings(const QString &appFolder, const FontRecord &font, const QString &userFolder = userSettingsFolder());

// Size text as the file writes it: 14, 10.5, 11.25.
QString formatFontSize(double size);

} // namespace zarfan
