#include "app/controls/ChoiceComboAccessible.h"

#include "app/controls/ChoiceCombo.h"

ChoiceComboAccessible::ChoiceComboAccessible(ChoiceCombo *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QString ChoiceComboAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return static_cast<const ChoiceCombo *>(object())->currentText();
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *ChoiceComboAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ChoiceCombo") && object && object->isWidgetType())
        return new ChoiceComboAccessible(static_cast<ChoiceCombo *>(object));
    return nullptr;
}

void ChoiceComboAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ChoiceComboAccessible::create);
        return true;
    }();
    Q_UNUSED(installed);
}
