// Any bytes as a layout file: the reader must stay inside the buffer, and the
// records it accepts must be written back and read again unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "layouttool/layout_file.h"

using namespace lumetra::layouttool;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const LayoutHeader header = ReadLayoutHeader(file);
    if (header.status != LayoutHeaderStatus::kOk) return 0;
    std::vector<SavedItem> items;
    ForEachLayoutRecord(file, header.count, [&](const LayoutRecordView& record) {
        IsSingleItemId(record.id);
        items.push_back(
            {std::vector<std::uint8_t>(record.id.begin(), record.id.end()), record.point});
    });
    const std::vector<std::uint8_t> image = BuildLayoutImage(items);
    const LayoutHeader again = ReadLayoutHeader(image);
    if (again.status != LayoutHeaderStatus::kOk || again.count != items.size()) std::abort();
    std::size_t index = 0;
    ForEachLayoutRecord(image, again.count, [&](const LayoutRecordView& record) {
        const SavedItem& item = items.at(index++);
        if (!(record.point == item.point) ||
            !std::equal(record.id.begin(), record.id.end(), item.id.begin(), item.id.end()))
            std::abort();
    });
    if (index != items.size()) std::abort();
    return 0;
}
