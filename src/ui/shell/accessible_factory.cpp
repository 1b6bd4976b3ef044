#include "ui/shell/accessible_factory.h"

#include "ui/controls/clue_list_accessible.h"
#include "ui/controls/clue_list_ctrl.h"
#include "ui/controls/keyboard_accessible.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/view/grid_accessible.h"
#include "ui/view/grid_view.h"

#include <QAccessible>

namespace {

QAccessibleInterface* CreateAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("CGridView"))
        return new CGridAccessible(static_cast<CGridView*>(object));
    if (className == QLatin1String("CKeyboardCtrl"))
        return new CKeyboardAccessible(static_cast<CKeyboardCtrl*>(object));
    if (className == QLatin1String("CClueListCtrl"))
        return new CClueListAccessible(static_cast<CClueListCtrl*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleFactory()
{
    QAccessible::removeFactory(CreateAccessible);
    QAccessible::installFactory(CreateAccessible);
}
