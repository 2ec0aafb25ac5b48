#pragma once
// A caption on a form: plain text on the parent's background that, unless
// told otherwise, keeps itself just as large as its caption.

#include <QLabel>

class TLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fitToCaption();

    bool m_autoSize = true;
};
