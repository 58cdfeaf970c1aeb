#include "app/controls/ValueLabelAccessible.h"

#include "app/controls/ValueLabel.h"

ValueLabelAccessible::ValueLabelAccessible(ValueLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

const ValueLabel *ValueLabelAccessible::label() const
{
    return static_cast<const ValueLabel *>(object());
}

QString ValueLabelAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return label()->spokenName();
    case QAccessible::Value:
        return label()->text();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessibleInterface *ValueLabelAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<ValueLabel *>(object));
    return nullptr;
}

void ValueLabelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValueLabelAccessible::create);
        return true;
    }();
    Q_UNUSED(installed);
}
