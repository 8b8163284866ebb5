// The random source, number parsing, one account, and the code page 936
// conversion this program keeps (tables read once from glibc's CP936) against
// Qt's ICU-backed converter and plain iconv calls.

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <string>

#include "accounts/fragments.h"
#include "accounts/pump.h"
#include "accounts/random.h"
#include "text/cp936.h"
#include "text/number.h"

namespace {

long g_pumps = 0;
void CountPump() { ++g_pumps; }

void BM_NextRandom(benchmark::State& state) {
    RestoreRandomState({0, 1});
    for (auto _ : state) benchmark::DoNotOptimize(NextRandom());
}
BENCHMARK(BM_NextRandom);

void BM_TextToInt(benchmark::State& state) {
    const Text texts[] = {Text::FromBytes("100"), Text::FromBytes(" -2147483648"), Text::FromBytes("\xA3\xB1\xA3\xB2")};
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TextToInt(texts[i++ % 3]));
}
BENCHMARK(BM_TextToInt);

// The initial format: three Chinese characters, then five digits.
void BM_DefaultAccount(benchmark::State& state) {
    SetPumpHook(&CountPump);
    g_pumps = 0;
    for (auto _ : state) {
        Text hanzi = RandomHanzi(3);
        Text digits = RandomDigits(5);
        benchmark::DoNotOptimize(ConcatText(hanzi, digits));
    }
    state.counters["pumps/account"] = benchmark::Counter(static_cast<double>(g_pumps) / static_cast<double>(state.iterations()));
    SetPumpHook(nullptr);
}
BENCHMARK(BM_DefaultAccount);

// A list of a thousand generated lines, as the box holds it.
const QString& SampleList() {
    static const QString list = [] {
        QString s;
        for (int i = 0; i < 1000; ++i) s += QStringLiteral("鞍谕胤%1\r\n").arg(10000 + i);
        return s;
    }();
    return list;
}

void BM_Encode_KeptTables(benchmark::State& state) {
    const QString& list = SampleList();
    for (auto _ : state) benchmark::DoNotOptimize(EncodeCp936(std::u16string_view(QStringView(list).utf16(), list.size())));
    state.SetBytesProcessed(state.iterations() * list.size() * 2);
}
BENCHMARK(BM_Encode_KeptTables);

void BM_Encode_QtIcuGbk(benchmark::State& state) {
    const QString& list = SampleList();
    QStringEncoder encoder("GBK");
    for (auto _ : state) {
        QByteArray bytes = encoder.encode(list);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * list.size() * 2);
}
BENCHMARK(BM_Encode_QtIcuGbk);

void BM_Encode_IconvCp936(benchmark::State& state) {
    const QString& list = SampleList();
    iconv_t cd = iconv_open("CP936", "UTF-16LE");
    std::string out(list.size() * 4, '\0');
    for (auto _ : state) {
        char* in = reinterpret_cast<char*>(const_cast<QChar*>(list.constData()));
        std::size_t left = list.size() * 2, room = out.size();
        char* to = out.data();
        iconv(cd, &in, &left, &to, &room);
        benchmark::DoNotOptimize(to);
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * list.size() * 2);
}
BENCHMARK(BM_Encode_IconvCp936);

void BM_Decode_KeptTables(benchmark::State& state) {
    const Text bytes = EncodeCp936(std::u16string_view(QStringView(SampleList()).utf16(), SampleList().size()));
    std::u16string out(bytes.size(), u'\0');
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCp936(bytes.view(), out.data()));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Decode_KeptTables);

void BM_Decode_QtIcuGbk(benchmark::State& state) {
    const QByteArray bytes = QStringEncoder("GBK").encode(SampleList());
    QStringDecoder decoder("GBK");
    for (auto _ : state) {
        QString text = decoder.decode(bytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Decode_QtIcuGbk);

// One short line, as each generated account is shown.
void BM_DecodeOneLine_KeptTables(benchmark::State& state) {
    const Text line = Text::FromBytes("\xD8\xB7\xDA\xCD\xB0\xB0" "12345\r\n");
    char16_t out[32];
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCp936(line.view(), out));
}
BENCHMARK(BM_DecodeOneLine_KeptTables);

void BM_DecodeOneLine_QtIcuGbk(benchmark::State& state) {
    const QByteArray line("\xD8\xB7\xDA\xCD\xB0\xB0" "12345\r\n");
    QStringDecoder decoder("GBK");
    for (auto _ : state) {
        QString text = decoder.decode(line);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_DecodeOneLine_QtIcuGbk);

}  // namespace

BENCHMARK_MAIN();
