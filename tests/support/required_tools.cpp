#include "required_tools.h"

#include <QStandardPaths>
#include <QStringList>

namespace RequiredTools {

QString Missing(std::initializer_list<Tool> tools)
{
    QStringList missing;
    for (const Tool& tool : tools) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool.command)).isEmpty())
            missing << QStringLiteral("%1 (package %2)").arg(QLatin1String(tool.command), QLatin1String(tool.package));
    }
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("missing tools: %1; run scripts/install-deps.sh").arg(missing.join(QStringLiteral(", ")));
}

} // namespace RequiredTools
