#include "timeclock/frmCapture.h"

#include "data/UserPrompts.h"
#include "timeclock/CaptureFrame.h"
#include "timeclock/FrameSource.h"
#include "timeclock/JpegFile.h"
#include "timeclock/cDIBSection.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int kLiveViewMs = 100;
constexpr int kJpegQuality = 90;
} // namespace

frmCapture::frmCapture(QWidget *parent, std::unique_ptr<FrameSource> source)
    : QDialog(parent)
    , m_source(source ? std::move(source) : NewFrameSource())
    , Picture1(new QLabel(this))
    , cmdCapture(new QPushButton(QStringLiteral("Capture"), this))
    , Command1(new QPushButton(QStringLiteral("Video Source"), this))
    , Command2(new QPushButton(QStringLiteral("Video Size"), this))
    , cmdAccept(new QPushButton(QStringLiteral("Accept"), this))
    , cmdDiscard(new QPushButton(QStringLiteral("Discard"), this))
    , Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmCapture"));
    setWindowTitle(QStringLiteral("Picture Capture"));
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(CaptureFrame::kPictureSize);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setWordWrap(true);
    // No frame or padding: the picture fills the 320 x 240 exactly.
    Picture1->setStyleSheet(QStringLiteral("background: black; color: white;"));
    auto *controls = new QGroupBox(QStringLiteral("Controls"), this);
    auto *column = new QVBoxLayout(controls);
    const std::pair<QPushButton *, const char *> buttons[] = {{cmdCapture, "cmdCapture"},
                                                              {Command1, "Command1"},
                                                              {Command2, "Command2"},
                                                              {cmdAccept, "cmdAccept"},
                                                              {cmdDiscard, "cmdDiscard"}};
    for (const auto &[button, name] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    auto *hint = new QLabel(QStringLiteral("Set video size to 320x240 !"), controls);
    hint->setWordWrap(true);
    column->addWidget(hint);
    column->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Picture1, 0, Qt::AlignTop);
    layout->addWidget(controls);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Timer1->setInterval(kLiveViewMs);
    connect(Timer1, &QTimer::timeout, this, &frmCapture::GrabFrame);
    connect(cmdCapture, &QPushButton::clicked, this, &frmCapture::onCaptureClicked);
    connect(Command1, &QPushButton::clicked, this, &frmCapture::onSourceClicked);
    connect(Command2, &QPushButton::clicked, this, &frmCapture::onSizeClicked);
    connect(cmdAccept, &QPushButton::clicked, this, &frmCapture::onAccept);
    connect(cmdDiscard, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_source.get(), &FrameSource::failed, this, &frmCapture::onCameraFailed);
}

frmCapture::~frmCapture()
{
    SetLive(false);
}

void frmCapture::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        loadWindow();
    QDialog::showEvent(event);
}

void frmCapture::loadWindow()
{
    m_loaded = true;
    if (!m_source->available()) {
        showNoCamera();
        return;
    }
    SetLive(true);
}

void frmCapture::showNoCamera()
{
    QString reason = m_source->unavailableReason();
    if (reason.isEmpty())
        reason = QStringLiteral("No camera was found on this computer.");
    Picture1->setMargin(12);
    Picture1->setText(reason + QStringLiteral("\n\nNo picture can be taken."));
    for (QPushButton *b : {cmdCapture, Command1, Command2, cmdAccept})
        b->setEnabled(false);
}

void frmCapture::SetLive(bool on)
{
    if (on == m_live)
        return;
    if (on)
        m_source->start();
    else
        m_source->stop();
    m_live = on;
    if (on)
        Timer1->start();
    else
        Timer1->stop();
}

void frmCapture::GrabFrame()
{
    if (!m_live)
        return;
    const QImage frame = m_source->latestFrame();
    if (frame.isNull())
        return; // a missing frame leaves the last one shown
    m_frame = CaptureFrame::Fit(frame);
    showFrame();
}

void frmCapture::showFrame()
{
    Picture1->setPixmap(QPixmap::fromImage(m_frame));
}

void frmCapture::onCaptureClicked()
{
    if (cmdCapture->text() == QLatin1String("Capture")) {
        SetLive(false); // the last frame stays shown
        cmdCapture->setText(QStringLiteral("Release"));
    } else {
        SetLive(true);
        cmdCapture->setText(QStringLiteral("Capture"));
    }
}

void frmCapture::onAccept()
{
    if (m_fileName.trimmed().isEmpty()) {
        Prompts().message(QStringLiteral("Filename is blank"));
    } else if (m_frame.isNull()) {
        Prompts().message(QStringLiteral("There is no picture to save yet: nothing was saved."));
    } else {
        cDIBSection dib;
        QString error;
        m_saved = dib.CreateFromPicture(m_frame) && JpegFile::SaveJPG(dib, m_fileName, kJpegQuality, &error);
        if (!m_saved)
            Prompts().message(error.isEmpty() ? QStringLiteral("Failed to save to JPG") : error);
    }
    accept();
}

void frmCapture::chooseSource(int index)
{
    m_source->setCurrentSource(index);
}

void frmCapture::chooseSize(const QSize &size)
{
    m_source->setFrameSize(size);
}

void frmCapture::onSourceClicked()
{
    QMenu menu(this);
    const QStringList names = m_source->sourceNames();
    for (int i = 0; i < names.size(); ++i) {
        QAction *a = menu.addAction(names[i], this, [this, i] { chooseSource(i); });
        a->setCheckable(true);
        a->setChecked(i == m_source->currentSource());
    }
    menu.exec(Command1->mapToGlobal(QPoint(0, Command1->height())));
}

void frmCapture::onSizeClicked()
{
    QMenu menu(this);
    for (const QSize &size : m_source->frameSizes()) {
        QAction *a = menu.addAction(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()), this,
                                    [this, size] { chooseSize(size); });
        a->setCheckable(true);
        a->setChecked(size == m_source->frameSize());
    }
    menu.exec(Command2->mapToGlobal(QPoint(0, Command2->height())));
}

void frmCapture::onCameraFailed(const QString &reason)
{
    SetLive(false);
    cmdCapture->setText(QStringLiteral("Release"));
    Prompts().message(QStringLiteral("The camera stopped: ") + reason);
}

void frmCapture::done(int result)
{
    SetLive(false);
    QDialog::done(result);
}

void frmCapture::mousePressEvent(QMouseEvent *event)
{
    // The window can be dragged by its background.
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}
