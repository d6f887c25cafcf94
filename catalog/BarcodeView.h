#pragma once

#include <QString>
#include <QWidget>

// A picture of a product's bar code (Code 39) with its caption line, drawn
// afresh at the size the picture has.
class BarcodeView : public QWidget
{
    Q_OBJECT
public:
    explicit BarcodeView(QWidget *parent = nullptr);

    // The code as typed (completed for drawing) and the caption after it.
    void setCode(const QString &code, const QString &caption);
    QString completedCode() const { return m_completed; }
    QString caption() const { return m_caption; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_completed;
    QString m_caption;
};
