#pragma once

#include "print/PageOps.h"
#include "print/PrinterAccess.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

// A print job that keeps what it was sent and whether it was finished or
// dropped, shared with the test after the recorder let go of it.
struct JobLog
{
    std::shared_ptr<RecordedDocument> document = std::make_shared<RecordedDocument>();
    bool begun = false;
    // Runs before each drawing operation reaches the job.
    std::function<void()> onDraw;
    bool ended = false;
    bool aborted = false;
};

class LoggingJob final : public PageSurface
{
public:
    explicit LoggingJob(std::shared_ptr<JobLog> log) : m_log(std::move(log)) { }
    bool begin(const QPageLayout &layout, const QString &title) override
    {
        m_log->begun = true;
        m_log->document->layout = layout;
        m_log->document->title = title;
        m_log->document->pages = {RecordedPage()};
        return true;
    }
    void draw(const PageOperation &operation) override
    {
        if (m_log->onDraw)
            m_log->onDraw();
        m_log->document->pages.last().operations.append(operation);
    }
    bool newPage() override
    {
        m_log->document->pages.append(RecordedPage());
        return true;
    }
    bool end() override
    {
        m_log->ended = true;
        return true;
    }
    void abort() override { m_log->aborted = true; }
    QString errorString() const override { return QString(); }

private:
    std::shared_ptr<JobLog> m_log;
};

// Installed printers for tests: a list of names, the settings the window
// and the recorder write, and jobs that are logged instead of printed.
class FakePrinter final : public PrinterAccess
{
public:
    explicit FakePrinter(QStringList names = {}) : m_names(std::move(names))
    {
        if (!m_names.isEmpty())
            m_current = m_names.first();
        SetPrinterAccess(this);
    }
    ~FakePrinter() override { SetPrinterAccess(nullptr); }

    QStringList printerNames() const override { return m_names; }
    QString currentName() const override { return m_current; }
    bool selectPrinter(const QString &name) override
    {
        if (!m_names.contains(name))
            return false;
        m_current = name;
        return true;
    }
    QString driverName() const override { return m_current + QStringLiteral(" driver"); }
    QString portName() const override { return QStringLiteral("usb://") + m_current; }
    bool setOrientation(int orientation) override
    {
        if (refuseLandscape && orientation == 2)
            return false;
        return PrinterAccess::setOrientation(orientation);
    }
    std::unique_ptr<PageSurface> openJob(QString *error) override
    {
        if (m_names.isEmpty())
            return PrinterAccess::openJob(error);
        jobs.append(std::make_shared<JobLog>());
        jobs.last()->onDraw = onDraw;
        return std::make_unique<LoggingJob>(jobs.last());
    }

    bool refuseLandscape = false;
    std::function<void()> onDraw; // given to every new job
    QList<std::shared_ptr<JobLog>> jobs;

private:
    QStringList m_names;
    QString m_current;
};
