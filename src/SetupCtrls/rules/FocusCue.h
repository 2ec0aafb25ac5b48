#pragma once
// Whether one of the page's own controls shows its focus ring: from the
// moment the keyboard brought the focus to it or was used on it until the
// focus moves on. A click, or the window's activation alone, shows none, so
// that the mouse sees the page as it always was.

#include <Qt>

class FocusCue {
public:
    bool shown() const { return m_shown; }

    // Returns whether the ring appeared or went.
    bool focusIn(Qt::FocusReason reason)
    {
        return set(m_shown || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
            || reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason);
    }
    // Another window taking the focus for a while (the popup, a menu) keeps
    // the ring for the focus's return.
    bool focusOut(Qt::FocusReason reason)
    {
        return set(m_shown
            && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
                || reason == Qt::MenuBarFocusReason));
    }
    bool keyUsed() { return set(true); }

private:
    bool set(bool value)
    {
        const bool changed = value != m_shown;
        m_shown = value;
        return changed;
    }

    bool m_shown = false;
};
