#include "makedb.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the encrypted scripture database zarfan.zf"));
    parser.addHelpOption();
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Folder with the source files."),
                                        QStringLiteral("folder"), QStringLiteral("../shared/data"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Database file to write."),
                                       QStringLiteral("file"), QStringLiteral("zarfan.zf"));
    const QCommandLineOption noticesOption(QStringLiteral("notices"), QStringLiteral("The data's notices file."),
                                           QStringLiteral("file"), zarfan::makedb::defaultNoticesPath());
    parser.addOption(dataOption);
    parser.addOption(outOption);
    parser.addOption(noticesOption);
    parser.process(app);

    const auto result = zarfan::makedb::build(parser.value(dataOption), parser.value(outOption), parser.value(noticesOption));
    if (!result.ok) {
        std::fprintf(stderr, "zarfan-makedb: %s\n", result.error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("zarfan-makedb: wrote %s\n", parser.value(outOption).toLocal8Bit().constData());
    return 0;
}
