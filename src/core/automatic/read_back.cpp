#include "automatic/read_back.h"

namespace teb {
namespace {

std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }

} // namespace

ReadBackVerdict judgeReading(const TagReading &reading, const std::string &uid, const PageCells &sent,
                             const PageFlagArray &pages)
{
    using Kind = ReadBackVerdict::Kind;
    if (!reading.uid)
        return {Kind::UidNotRead, 0};
    if (*reading.uid != uid)
        return {Kind::OtherTransponder, 0};
    for (int page = 1; page <= kPageCount; ++page) {
        if (!pages[index(page)])
            continue;
        const auto &bytes = reading.pages[index(page)];
        if (!bytes)
            return {Kind::PageNotRead, page};
        if (*bytes != sent.page(page))
            return {Kind::PageDiffers, page};
    }
    return {Kind::Equal, 0};
}

PageFlagArray pagesDiffering(const TagReading &reading, const PageCells &sent, const PageFlagArray &pages)
{
    PageFlagArray differing{};
    for (int page = 1; page <= kPageCount; ++page) {
        const auto &bytes = reading.pages[index(page)];
        differing[index(page)] = pages[index(page)] && (!bytes || *bytes != sent.page(page));
    }
    return differing;
}

std::string readBackFailureText(const ReadBackVerdict &verdict)
{
    using Kind = ReadBackVerdict::Kind;
    const std::string page = std::to_string(verdict.page);
    switch (verdict.kind) {
    case Kind::Equal: return {};
    case Kind::OtherTransponder: return "the transponder was changed during the cycle";
    case Kind::UidNotRead: return "the UID could not be read back";
    case Kind::PageNotRead: return "page " + page + " could not be read back";
    case Kind::PageDiffers: return "page " + page + " reads back other data than was written";
    }
    return {};
}

} // namespace teb
