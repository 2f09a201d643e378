#include "platform/forms/screenreader.h"

#include "platform/forms/form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace qxm {

namespace {

constexpr char kDecoration[] = "qxmDecoration";
constexpr char kAnnounced[] = "qxmAnnouncedWhenShown";

// A window of the program: Qt presents a plain top-level widget as a client
// area, and lists every child widget, lines and boxes included.
class FormAccessible : public QAccessibleWidget
{
public:
    FormAccessible(QWidget *form, QAccessible::Role role)
        : QAccessibleWidget(form, role)
    {
    }

    int childCount() const override { return static_cast<int>(Parts().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> parts = Parts();
        return index >= 0 && index < parts.size() ? QAccessible::queryAccessibleInterface(parts.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(Parts().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> Parts() const
    {
        QList<QWidget *> parts;
        for (QWidget *part : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!part->isWindow() && !part->property(kDecoration).toBool())
                parts.append(part);
        }
        return parts;
    }
};

// Orca and other AT-SPI screen readers read a notification out when it
// starts showing; Qt's Alert event does not reach them.
class AnnouncedLabelAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncedLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<const QLabel *>(widget())->text()
                                         : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *ScreenReaderView(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel")) {
        auto *label = qobject_cast<QLabel *>(object);
        return label && label->property(kAnnounced).toBool() ? new AnnouncedLabelAccessible(label) : nullptr;
    }
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !widget->isWindow())
        return nullptr;
    if (className == QLatin1String("QWidget") && dynamic_cast<Form *>(widget))
        return new FormAccessible(widget, QAccessible::Window);
    if (className == QLatin1String("QDialog") && dynamic_cast<DialogForm *>(widget))
        return new FormAccessible(widget, QAccessible::Dialog);
    return nullptr;
}

} // namespace

void PresentFormsToScreenReaders()
{
    static const bool installed = (QAccessible::installFactory(&ScreenReaderView), true);
    Q_UNUSED(installed)
}

void HideFromScreenReaders(QWidget &part)
{
    part.setProperty(kDecoration, true);
}

void AnnounceWhenShown(QLabel &label)
{
    label.setProperty(kAnnounced, true);
}

} // namespace qxm
