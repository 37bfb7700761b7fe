#include "platform/helptopic.h"
#include "platform/help.h"

namespace verno {

namespace {
HelpTopicHandler &handler()
{
    static HelpTopicHandler h;
    return h;
}
} // namespace

void setHelpTopicHandler(HelpTopicHandler h) { handler() = std::move(h); }

void showHelpTopic(int topic, const QString &section)
{
    if (handler())
        handler()(topic);
    else
        openHelpViewer(topic, section);
}

} // namespace verno
