#include "shared_table.h"

#include <set>
#include <sstream>

#include "run_program.h"
#include "store/record_store.h"
#include "worker_texts.h"

namespace tovanel::testing {

namespace st = tovanel::store;

const char kWorkerPassword[] = "240513";

void CreateWorkerTable(const std::string& base) {
    auto fs = st::MakeOsFileSystem();
    const std::vector<st::FieldInfo> fields = {{"快捷键", st::kFixedText, 0, 8},
                                               {"内容", st::kLongText, 0, 0},
                                               {"备注", st::kLongText, 0, 0}};
    if (st::CreateTable(*fs, base + ".RTB", kWorkerPassword, fields) != 0) std::abort();
}

TableContents ReadWorkerTable(const std::string& base) {
    TableContents contents;
    auto fs = st::MakeOsFileSystem();
    st::RecordStore store(*fs);
    contents.opened = store.OpenTable(base, kWorkerPassword);
    contents.open_error = st::LastError();
    if (!contents.opened) return contents;
    store.GoToFirstRecord();
    contents.records = store.GetRecordCount();
    std::set<int32_t> numbers;
    for (int k = 0; k < contents.records; ++k) {
        int32_t number = 0;
        if (!store.ReadRecordNumber(&number)) ++contents.read_errors;
        if (!numbers.insert(number < 0 ? -number : number).second) ++contents.repeated_numbers;
        store.ReadField("快捷键");
        if (st::LastError() != 0) ++contents.read_errors;
        const std::string content = std::get<std::string>(store.ReadField("内容"));
        if (st::LastError() != 0) ++contents.read_errors;
        const std::string note = std::get<std::string>(store.ReadField("备注"));
        if (st::LastError() != 0) ++contents.read_errors;
        std::string id;
        if (content.empty()) {
            ++contents.empty_contents;
        } else if (ParseSelfCheckingText(content, &id)) {
            ++contents.ids[id];
        } else {
            ++contents.damaged_contents;
        }
        if (!note.empty() && !ParseSelfCheckingText(note, &id)) ++contents.damaged_notes;
        if (!store.SkipRecords(1)) ++contents.read_errors;
    }
    store.CloseTable();
    return contents;
}

WorkerLog ReadWorkerLog(const std::string& path) {
    WorkerLog log;
    std::istringstream in(ReadWholeFile(path));
    for (std::string line; std::getline(in, line);) {
        if (in.eof()) break;  // a last line without its newline was cut by a kill
        std::istringstream fields(line);
        std::string kind, id;
        fields >> kind >> id;
        if (kind == "A") log.completed.push_back(id);
        if (kind == "F") log.failed.push_back(id);
    }
    return log;
}

}  // namespace tovanel::testing
