// The fuzz targets' seeds, and every input that once broke one of their
// properties, checked again in the ordinary test run: the same checks the
// fuzzers run, under the ordinary compiler. Then a bounded fuzz smoke run:
// a fixed number of inputs mutated from the seeds (flipped bits, cuts,
// repeats), the same on every run. Coverage-guided fuzzing is ./dev.sh check.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <random>

#include "tests/fuzz/entries.h"

using namespace lattora;
using namespace lattora::fuzz;

TEST(FuzzCorpus, EverySeedAndItsMutationsKeepEveryProperty) {
    std::mt19937 random(20261207);
    for (const auto& [name, check] : kTargets) {
        const QFileInfoList seeds =
            QDir(QStringLiteral(LATTORA_FUZZ_DIR "/corpus/") + QLatin1String(name))
                .entryInfoList(QDir::Files | QDir::Hidden);
        // A corpus moved or renamed must fail here rather than pass on nothing.
        EXPECT_FALSE(seeds.isEmpty()) << name;
        for (const QFileInfo& info : seeds) {
            QFile file(info.filePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
            const QByteArray seed = file.readAll();
            for (int i = 0; i <= 300; ++i) {  // the seed itself, then its mutations
                QByteArray input = seed;
                for (int edits = i == 0 || seed.isEmpty() ? 0 : 1 + random() % 4; edits > 0;
                     --edits) {
                    const auto at = random() % input.size();
                    switch (random() % 3) {
                        case 0: input[at] = char(input[at] ^ (1 << random() % 8)); break;
                        case 1: input.truncate(std::max<qsizetype>(1, at)); break;
                        default: input.insert(at, input.mid(at, 1 + random() % 8)); break;
                    }
                }
                const auto* data = reinterpret_cast<const std::uint8_t*>(input.constData());
                EXPECT_EQ(check({data, std::size_t(input.size())}).toStdString(), "")
                    << info.fileName().toStdString() << " as "
                    << input.toPercentEncoding().left(200).toStdString();
            }
        }
    }
}
