#include <cstdlib>

#include "reply_work.h"
#include "store/record_store.h"

namespace tovanel::bench::store_work {
namespace {

namespace st = tovanel::store;

st::FileSystem& Files() {
    static const auto files = st::MakeOsFileSystem();
    return *files;
}

void Open(st::RecordStore& store, const std::string& base) {
    if (!store.OpenTable(base, kPassword)) std::abort();
}

}  // namespace

size_t Load(const std::string& base) {
    st::RecordStore store(Files());
    Open(store, base);
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    size_t bytes = 0;
    for (int32_t i = 0; i < count; ++i) {
        bytes += std::get<std::string>(store.ReadField("快捷键")).size();
        bytes += std::get<std::string>(store.ReadField("内容")).size();
        store.SkipRecords();
    }
    store.CloseTable();
    return bytes;
}

void Add(const std::string& base, const Reply& reply) {
    st::RecordStore store(Files());
    Open(store, base);
    if (!store.AddRecord({std::nullopt, st::Value(reply.content)})) std::abort();
    store.CloseTable();
}

void DeleteWithPurge(const std::string& base, const std::string& content) {
    st::RecordStore store(Files());
    Open(store, base);
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    for (int32_t i = 0; i < count; ++i) {
        if (std::get<std::string>(store.ReadField("内容")) == content) {
            if (!store.DeleteRecord() || !store.PurgeDeleted()) std::abort();
            break;
        }
        store.SkipRecords();
    }
    store.CloseTable();
}

void ClearAndAdd(const std::string& base, const std::vector<Reply>& replies) {
    st::RecordStore store(Files());
    Open(store, base);
    if (!store.ClearTable()) std::abort();
    for (const Reply& reply : replies) {
        if (!store.AddRecord({st::Value(reply.hotkey), st::Value(reply.content)})) std::abort();
    }
    store.CloseTable();
}

}  // namespace tovanel::bench::store_work
