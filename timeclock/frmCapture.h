#pragma once

#include "timeclock/FrameSource.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

// "Picture Capture": the camera's live view at 320 x 240, refreshed ten
// times a second; "Capture" freezes the frame shown and "Release" lets it
// run again; "Accept" stores the frame shown as a JPEG file (quality 90)
// under FileName, "Discard" leaves without storing. Without a camera the
// window says so and stores nothing. Modal; the caller sets FileName first.
class frmCapture : public QDialog
{
    Q_OBJECT
public:
    // No source: the computer's cameras (NewFrameSource()).
    explicit frmCapture(QWidget *parent = nullptr, std::unique_ptr<FrameSource> source = nullptr);
    ~frmCapture() override;

    QString FileName() const { return m_fileName; }
    void setFileName(const QString &fileName) { m_fileName = fileName; }

    // Connects the camera and runs the live view, or stops both.
    void SetLive(bool on);
    bool live() const { return m_live; }
    // One live-view update: the newest frame becomes the frame shown.
    void GrabFrame();
    // The frame shown (at 320 x 240); null while there is none.
    QImage shownFrame() const { return m_frame; }
    // Whether "Accept" stored the file.
    bool saved() const { return m_saved; }

    // "Video Source" and "Video Size" as their menus choose.
    void chooseSource(int index);
    void chooseSize(const QSize &size);

    FrameSource *source() const { return m_source.get(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void loadWindow();
    void showNoCamera();
    void onCaptureClicked();
    void onAccept();
    void onSourceClicked();
    void onSizeClicked();
    void onCameraFailed(const QString &reason);
    void showFrame();

    std::unique_ptr<FrameSource> m_source;
    QLabel *Picture1;
    QPushButton *cmdCapture;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *cmdAccept;
    QPushButton *cmdDiscard;
    QTimer *Timer1;

    QString m_fileName;
    QImage m_frame;
    bool m_live = false;
    bool m_loaded = false;
    bool m_saved = false;
};
