#include "shell/AccessibleParts.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace qx {

namespace {

const AccessiblePartsSource* SourceOf(QWidget* widget) { return dynamic_cast<const AccessiblePartsSource*>(widget); }

// One part: everything it says is read from its widget when asked, so it never goes stale.
class PartInterface : public QAccessibleInterface {
public:
    PartInterface(QWidget* widget, int index) : widget_(widget), index_(index) {}

    bool isValid() const override { return widget_ && index_ < Source()->AccessiblePartCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid()) return {};
        const AccessiblePart part = Source()->AccessiblePartAt(index_);
        if (t == QAccessible::Name) return part.name;
        if (t == QAccessible::Description) return part.description;
        return {};
    }
    QRect rect() const override
    {
        if (!isValid()) return {};
        const QRect r = Source()->AccessiblePartAt(index_).rect;
        return QRect(widget_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return isValid() ? Source()->AccessiblePartRole() : QAccessible::NoRole; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) return s;
        s.invisible = !widget_->isVisible();
        s.focusable = Source()->AccessibleFocusPart() >= 0 || widget_->focusPolicy() != Qt::NoFocus;
        s.focused = widget_->hasFocus() && Source()->AccessibleFocusPart() == index_;
        return s;
    }

private:
    const AccessiblePartsSource* Source() const { return SourceOf(widget_); }

    QPointer<QWidget> widget_;
    int index_;
};

// The widget, whose children are its parts.
class PartsWidgetInterface : public QAccessibleWidget {
public:
    PartsWidgetInterface(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    ~PartsWidgetInterface() override
    {
        for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Source()->AccessiblePartCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) return nullptr;
        while (static_cast<int>(ids_.size()) <= index) {
            auto* part = new PartInterface(widget(), static_cast<int>(ids_.size()));
            ids_.push_back(QAccessible::registerAccessibleInterface(part));
        }
        return QAccessible::accessibleInterface(ids_[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < static_cast<int>(ids_.size()); ++i)
            if (QAccessible::accessibleInterface(ids_[i]) == child) return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        const int focused = Source()->AccessibleFocusPart();
        return widget()->hasFocus() && focused >= 0 ? child(focused) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (Source()->AccessiblePartAt(i).rect.contains(local)) return child(i);
        return nullptr;
    }

private:
    const AccessiblePartsSource* Source() const { return SourceOf(widget()); }

    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* PartsFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !SourceOf(widget)) return nullptr;
    return new PartsWidgetInterface(widget, QAccessible::Grouping);
}

}  // namespace

void InstallAccessibleParts()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(PartsFactory);
}

void NotifyAccessiblePart(QWidget* widget, int index, QAccessible::Event event)
{
    QAccessibleInterface* whole = QAccessible::queryAccessibleInterface(widget);
    QAccessibleInterface* part = whole ? whole->child(index) : nullptr;
    if (!part) return;
    QAccessibleEvent notice(part, event);
    Announce(notice);
}

void Announce(QAccessibleEvent& event)
{
    if (AccessibilityListener()) AccessibilityListener()(event);
    QAccessible::updateAccessibility(&event);
}

std::function<void(QAccessibleEvent&)>& AccessibilityListener()
{
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}

}  // namespace qx
