// Figures of a language switch: parsing the built-in English file, and a whole switch to English
// and back with the main window's table bound to plain texts. Run: build/bench/bench_language
#include "localisation/form1langdata.h"
#include "localisation/langcontroller.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    QFile file(QStringLiteral(":/LNG_ENGLISH"));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray english = file.readAll();

    std::vector<double> parseUs;
    for (int run = 0; run < 200; ++run) {
        QElapsedTimer timer;
        timer.start();
        const LangFileParse parse = ParseLanguageFile(english);
        parseUs.push_back(double(timer.nsecsElapsed()) / 1000.0);
        if (!parse.ok())
            return 1;
    }

    TLanguageManager manager(QStringLiteral(":/LANG_CONSTS"));
    manager.SetSourceLanguage(LangIdGerman);
    manager.AddLanguageResource(ProgramModule, QStringLiteral("LNG_ENGLISH"), LangIdEnglishUK);
    TLanguageController spin(Form1SectionName, Form1LangData(), manager);
    std::map<qint32, QString> texts;
    for (const LangDataEntry &entry : Form1LangData()) {
        const qint32 id = entry.id;
        texts[id] = QString::number(id);
        spin.bind(
            QString::fromLatin1(entry.component), QString::fromLatin1(entry.path),
            [&texts, id] { return texts[id]; },
            [&texts, id](const QString &text) { texts[id] = text; });
    }
    spin.loaded();

    std::vector<double> switchUs;
    for (int run = 0; run < 200; ++run) {
        QElapsedTimer timer;
        timer.start();
        manager.ActivateLanguage(run % 2 == 0 ? LangIdEnglishUK : LangIdGerman);
        switchUs.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }

    std::printf("English file: %lld bytes\n", static_cast<long long>(english.size()));
    std::printf("parse:  median %.0f us (200 runs)\n", median(parseUs));
    std::printf("switch: median %.0f us (200 switches, %lld bound texts)\n", median(switchUs),
                static_cast<long long>(Form1LangData().size()));
    return 0;
}
