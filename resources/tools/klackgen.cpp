// Build tool: turns the readable description of the built-in click (resources/klack.txt) into
// a PCM WAV file.
//   klackgen <klack.txt> <output.wav>
// The description's lines are explained at the top of klack.txt.
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

int failWith(const QString &message)
{
    std::fprintf(stderr, "klackgen: %s\n", qPrintable(message));
    return 1;
}

struct Tone {
    double frequency;
    double peak;
    double decayMs;
};

struct Noise {
    double peak;
    double decayMs;
    quint32 seed;
};

struct Description {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int frames = 0;
    QList<Tone> tones;
    QList<Noise> noises;
    double attackMs = 0;
};

// Reads the description; an empty error means success.
QString parse(const QString &text, Description &out)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString &word = words.first();
        QList<double> values;
        for (qsizetype w = 1; w < words.size(); ++w) {
            bool ok = false;
            values.append(words.at(w).toDouble(&ok));
            if (!ok)
                return QStringLiteral("line %1: not a number: %2").arg(i + 1).arg(words.at(w));
        }
        auto expect = [&](qsizetype count) { return values.size() == count; };
        if (word == QLatin1String("format") && expect(3)) {
            out.channels = int(values[0]);
            out.rate = int(values[1]);
            out.bits = int(values[2]);
        } else if (word == QLatin1String("frames") && expect(1)) {
            out.frames = int(values[0]);
        } else if (word == QLatin1String("tone") && expect(3)) {
            out.tones.append({values[0], values[1], values[2]});
        } else if (word == QLatin1String("noise") && expect(3)) {
            out.noises.append({values[0], values[1], quint32(values[2])});
        } else if (word == QLatin1String("attack") && expect(1)) {
            out.attackMs = values[0];
        } else {
            return QStringLiteral("line %1: not understood: %2").arg(i + 1).arg(line);
        }
    }
    if (out.channels < 1 || out.rate < 1 || out.bits != 16 || out.frames < 1)
        return QStringLiteral("needs a format with 16 bits per sample and a frame count");
    return {};
}

// A small deterministic generator (xorshift32) for the noise, in -1..1.
double nextNoise(quint32 &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return double(state) / 2147483647.5 - 1.0;
}

QByteArray samples(const Description &d)
{
    QByteArray out;
    QList<quint32> noiseState;
    for (const Noise &n : d.noises)
        noiseState.append(n.seed ? n.seed : 1);
    for (int frame = 0; frame < d.frames; ++frame) {
        const double ms = 1000.0 * frame / d.rate;
        double value = 0;
        for (const Tone &t : d.tones)
            value += t.peak * std::exp(-ms / t.decayMs) *
                     std::sin(2 * std::numbers::pi * t.frequency * frame / d.rate);
        for (qsizetype i = 0; i < d.noises.size(); ++i)
            value +=
                d.noises[i].peak * std::exp(-ms / d.noises[i].decayMs) * nextNoise(noiseState[i]);
        if (ms < d.attackMs)
            value *= ms / d.attackMs;
        const auto sample = qint16(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
        char bytes[2];
        qToLittleEndian(sample, bytes);
        for (int c = 0; c < d.channels; ++c)
            out.append(bytes, 2);
    }
    return out;
}

void append16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void append32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

QByteArray waveFile(const Description &d, const QByteArray &data)
{
    const quint16 blockAlign = quint16(d.channels * d.bits / 8);
    QByteArray out;
    out.append("RIFF", 4);
    append32(out, quint32(4 + 8 + 16 + 8 + data.size()));
    out.append("WAVEfmt ", 8);
    append32(out, 16);
    append16(out, 1); // PCM
    append16(out, quint16(d.channels));
    append32(out, quint32(d.rate));
    append32(out, quint32(d.rate) * blockAlign);
    append16(out, blockAlign);
    append16(out, quint16(d.bits));
    out.append("data", 4);
    append32(out, quint32(data.size()));
    out.append(data);
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return failWith(QStringLiteral("usage: klackgen <klack.txt> <output.wav>"));
    const QString inputPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return failWith(inputPath + QStringLiteral(": ") + input.errorString());
    Description description;
    const QString error = parse(QString::fromUtf8(input.readAll()), description);
    if (!error.isEmpty())
        return failWith(inputPath + QStringLiteral(": ") + error);
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) ||
        output.write(waveFile(description, samples(description))) < 0 || !output.commit())
        return failWith(outputPath + QStringLiteral(": ") + output.errorString());
    return 0;
}
