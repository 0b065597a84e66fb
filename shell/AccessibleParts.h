#pragma once
// Screen-reader access to the parts of a self-drawn widget (the panels of the status bar, the
// cells of a board): each part is read as an object of its own, with a name, a description and
// a place, and the widget says which part has the focus.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace qx {

struct AccessiblePart {
    QString name;
    QString description;
    QRect rect;  // in the widget's coordinates
};

// What a widget with parts implements (besides QWidget) to be read part by part.
class AccessiblePartsSource {
public:
    virtual ~AccessiblePartsSource() = default;
    virtual int AccessiblePartCount() const = 0;
    virtual AccessiblePart AccessiblePartAt(int index) const = 0;
    virtual QAccessible::Role AccessiblePartRole() const = 0;
    // The part that has the keyboard focus while the widget has it; -1 for none.
    virtual int AccessibleFocusPart() const { return -1; }
};

// Makes widgets that implement AccessiblePartsSource readable part by part; once per program,
// done by the first widget that needs it.
void InstallAccessibleParts();

// Sends an event to screen readers. Without a screen reader (and in tests) the toolkit drops
// events; the listener, when set, hears every one.
void Announce(QAccessibleEvent& event);
std::function<void(QAccessibleEvent&)>& AccessibilityListener();

// Tells screen readers that a part changed (QAccessible::NameChanged, DescriptionChanged) or
// took the focus (QAccessible::Focus).
void NotifyAccessiblePart(QWidget* widget, int index, QAccessible::Event event);

}  // namespace qx
