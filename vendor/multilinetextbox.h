#pragma once

#include <QPlainTextEdit>

class QLabel;

// A text box of several lines (the address and the remarks) that behaves like the single-line ones:
// a longest text it accepts, typed or pasted; Tab moves on rather than typing a tab; and the focus
// highlight with caption label (tooltip colours, whole text selected, label bold).
class MultiLineTextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    void setText(const QString& text);
    void setCaptionLabel(QLabel* label) { m_captionLabel = label; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int room() const;  // characters that may still be added in place of the selection
    void highlight(bool focused);

    int m_maxLength = 32767;
    QLabel* m_captionLabel = nullptr;
};
