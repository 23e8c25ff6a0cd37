// Load + save of a 512 KiB configuration in memory: IniDocument against
// SimpleIni and inih. All three parse the same UTF-8 bytes and produce the text
// they would write; file I/O is left out so that only the libraries count.
// SimpleIni runs in its narrow mode (it keeps UTF-8 bytes as they are, no
// conversion), which is its fastest; IniDocument decodes to UTF-16 and back.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <ini.h>

#include <map>
#include <string>
#include <vector>

#include "config/ini_document.h"

namespace {

// A file just under the 512 KiB limit: many sections of typical key/value lines.
const std::string& SampleFile() {
    static const std::string text = [] {
        std::string s = "\xEF\xBB\xBF";
        for (int section = 0; s.size() < 520000; ++section) {
            s += "[Section" + std::to_string(section) + "]\r\n";
            for (int key = 0; key < 40 && s.size() < 520000; ++key)
                s += "Key" + std::to_string(key) + " = value " +
                     std::to_string(section * 40 + key) + " caf\xC3\xA9\r\n";
            s += "; a comment line\r\n\r\n";
        }
        return s;
    }();
    return text;
}

void BM_IniDocument(benchmark::State& state) {
    const std::string& file = SampleFile();
    for (auto _ : state) {
        lumetra::config::IniDocument doc(L"bench.ini");
        doc.loadFromBytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
        std::string out = doc.serializeFileBytes();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_IniDocument)->Unit(benchmark::kMillisecond);

void BM_SimpleIni(benchmark::State& state) {
    const std::string& file = SampleFile();
    for (auto _ : state) {
        CSimpleIniA ini;
        ini.SetUnicode(true);
        ini.SetMultiKey(false);
        ini.LoadData(file.data(), file.size());
        std::string out;
        ini.Save(out, true);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_SimpleIni)->Unit(benchmark::kMillisecond);

// inih only parses; it keeps the entries in order the way a user of it would,
// and writes the text back by hand.
struct InihDocument {
    std::vector<std::string> sectionOrder;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections;
    std::map<std::string, std::map<std::string, std::size_t>> index;
};

int InihHandler(void* user, const char* section, const char* name, const char* value) {
    auto* doc = static_cast<InihDocument*>(user);
    auto [it, inserted] = doc->sections.try_emplace(section);
    if (inserted) doc->sectionOrder.emplace_back(section);
    auto& keys = doc->index[section];
    auto [k, fresh] = keys.try_emplace(name, it->second.size());
    if (fresh)
        it->second.emplace_back(name, value);
    else
        it->second[k->second].second = value;
    return 1;
}

void BM_Inih(benchmark::State& state) {
    const std::string& file = SampleFile();
    for (auto _ : state) {
        InihDocument doc;
        ini_parse_string(file.c_str() + 3, InihHandler, &doc);
        std::string out = "\xEF\xBB\xBF";
        for (std::size_t i = 0; i < doc.sectionOrder.size(); ++i) {
            if (i) out += "\r\n";
            out += "[" + doc.sectionOrder[i] + "]";
            for (const auto& [k, v] : doc.sections[doc.sectionOrder[i]])
                out += "\r\n" + k + "=" + v;
        }
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_Inih)->Unit(benchmark::kMillisecond);

}  // namespace
