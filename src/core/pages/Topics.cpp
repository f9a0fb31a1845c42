#include "Topics.h"

#include "PageTexts.h"
#include "TopicTexts.h"

#include <QStringList>

#include <span>

namespace Topics {

namespace {

// The page of each topic by index; kNoPage for the message topics.
constexpr int kNoPage = -1;
constexpr int kPageOfTopic[TopicTexts::kTopicCount] = {kNoPage, 3, 1, 5, 2, 0, 4, 6, kNoPage, kNoPage};

constexpr int kLoginTopic = 0;
constexpr int kUnzipTopic = 8;
constexpr int kUbuntuTopic = 9;

QString paragraphs(std::span<const char *const> parts)
{
    QStringList texts;
    for (const char *part : parts)
        texts.append(QString::fromUtf8(part));
    return texts.join(QString::fromUtf8(PageTexts::kParagraphBreak));
}

} // namespace

std::optional<int> pageOf(int topic)
{
    if (topic < 0 || topic >= TopicTexts::kTopicCount)
        qFatal("There is no topic %d", topic);
    const int page = kPageOfTopic[topic];
    return page == kNoPage ? std::nullopt : std::optional<int>(page);
}

QString messageOf(int topic)
{
    switch (topic) {
    case kLoginTopic:
        return paragraphs(TopicTexts::kLoginMessage);
    case kUnzipTopic:
        return paragraphs(TopicTexts::kUnzipMessage);
    case kUbuntuTopic:
        return paragraphs(TopicTexts::kUbuntuMessage);
    }
    return QString(); // a page topic
}

QString copiedTextOf(int topic)
{
    return topic == kUnzipTopic ? QString::fromUtf8(TopicTexts::kUnzipCommand) : QString();
}

} // namespace Topics
