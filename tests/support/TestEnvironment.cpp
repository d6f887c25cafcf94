#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtGlobal>

namespace {
QTemporaryDir *g_root = nullptr;
}

namespace TestEnvironment {

void prepare()
{
    if (g_root)
        return;
    g_root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/tessaly-test-XXXXXX"));
    const QString base = g_root->path();
    QDir(base).mkpath(QStringLiteral("config"));
    QDir(base).mkpath(QStringLiteral("data"));
    QDir(base).mkpath(QStringLiteral("program"));
    QDir(base).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(base + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (base + QStringLiteral("/runtime")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (base + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (base + QStringLiteral("/data")).toLocal8Bit());
    qputenv("TESSALY_DATA_DIR", (base + QStringLiteral("/program")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::atexit([] {
        delete g_root;
        g_root = nullptr;
    });
}

QString root()
{
    return g_root ? g_root->path() : QString();
}

} // namespace TestEnvironment
