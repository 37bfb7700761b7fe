#include "platform/help.h"
#include "platform/prompter.h"

namespace verno {

// Stands in until the help viewer is built.
void showHelpTopic(int context)
{
    informationBox(QStringLiteral("Help topic %1 is not available.").arg(context));
}

} // namespace verno
