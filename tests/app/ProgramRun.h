#pragma once

// The program run from the command line as a shop's technician runs it: its
// own data folder and settings, a fixed clock, a demo shop made by the
// program itself once per test program.
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

struct ProgramRun
{
    int exitCode = -1;
    QString errors;
};

class BatchCommandTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder() = TestEnvironment::root() + QStringLiteral("/batch");
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        // The demo shop, made once by the program itself (logo and notice too).
        const ProgramRun made = tessaly({QStringLiteral("--demo"), QStringLiteral("--pdf"),
                                         file(QStringLiteral("first.pdf")), QStringLiteral("inventory")});
        ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    }
    static QString &folder()
    {
        static QString f;
        return f;
    }
    static QString file(const QString &name) { return folder() + QLatin1Char('/') + name; }
    static QString database() { return file(QStringLiteral("demo.db")); }

    static ProgramRun tessaly(const QStringList &args, const QMap<QString, QString> &extra = {},
                              const QStringList &unset = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (auto it = extra.begin(); it != extra.end(); ++it)
            env.insert(it.key(), it.value());
        for (const QString &name : unset)
            env.remove(name);
        if (!extra.contains(QStringLiteral("TESSALY_DATA_DIR")))
            env.insert(QStringLiteral("TESSALY_DATA_DIR"), folder());
        if (!extra.contains(QStringLiteral("XDG_CONFIG_HOME")))
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder() + QStringLiteral("/config"));
        if (!extra.contains(QStringLiteral("TESSALY_NOW")))
            env.insert(QStringLiteral("TESSALY_NOW"), QStringLiteral("2026-12-07 15:00:00"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        if (!extra.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program chooses offscreen itself
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TESSALY_BINARY), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError())};
    }
    static ProgramRun document(const QString &pdf, const QStringList &doc)
    {
        return tessaly(QStringList{QStringLiteral("--database"), database(), QStringLiteral("--pdf"), pdf} + doc);
    }
    static QString text(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    }
};
