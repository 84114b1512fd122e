// Replays the fuzz inputs with the normal compiler: every file of tests/fuzz/seeds/<target>/ and
// of the kept corpus tests/fuzz/corpus/<target>/ goes to that target's entry function, so that a
// fault a fuzzer once found stays fixed. A failing input aborts the run; the line printed before
// it names the input. With arguments, `fuzz_replay TARGET FILE...` replays only those files.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstring>

#define HARMONOTE_FUZZ_TARGET(name) extern "C" int FuzzEntry_##name(const std::uint8_t*, std::size_t);
#include "fuzz_targets.inc"
#undef HARMONOTE_FUZZ_TARGET

namespace {

struct Target {
  const char* name;
  int (*entry)(const std::uint8_t*, std::size_t);
};

const Target kTargets[] = {
#define HARMONOTE_FUZZ_TARGET(name) {#name, FuzzEntry_##name},
#include "fuzz_targets.inc"
#undef HARMONOTE_FUZZ_TARGET
};

const Target* FindTarget(const QString& name) {
  for (const Target& t : kTargets)
    if (name == QLatin1String(t.name)) return &t;
  return nullptr;
}

bool Replay(const Target& t, const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
    return false;
  }
  const QByteArray bytes = f.readAll();
  std::printf("%s <- %s (%lld bytes)\n", t.name, qPrintable(path), static_cast<long long>(bytes.size()));
  std::fflush(stdout);
  t.entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);

  if (!args.isEmpty()) {
    const Target* t = FindTarget(args.first());
    if (!t) {
      std::fprintf(stderr, "no fuzz target named %s\n", qPrintable(args.first()));
      return 2;
    }
    for (const QString& path : args.mid(1))
      if (!Replay(*t, path)) return 1;
    return 0;
  }

  const QDir root(QStringLiteral(HARMONOTE_FUZZ_DIR));
  int failures = 0;
  // A folder that belongs to no target would be skipped without a word: name it as a failure.
  for (const char* kind : {"seeds", "corpus"}) {
    for (const QString& folder :
         QDir(root.filePath(QLatin1String(kind))).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
      if (!FindTarget(folder)) {
        std::fprintf(stderr, "%s/%s belongs to no fuzz target\n", kind, qPrintable(folder));
        ++failures;
      }
    }
  }
  int inputs = 0;
  for (const Target& t : kTargets) {
    int mine = 0;
    for (const char* kind : {"seeds", "corpus"}) {
      const QDir dir(root.filePath(QLatin1String(kind) + QLatin1Char('/') + QLatin1String(t.name)));
      for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (file.startsWith(QLatin1Char('.'))) continue;
        if (!Replay(t, dir.filePath(file))) ++failures;
        ++mine;
      }
    }
    if (mine == 0) {
      std::fprintf(stderr, "fuzz target %s has no seed\n", t.name);
      ++failures;
    }
    inputs += mine;
  }
  std::printf("replayed %d inputs over %zu fuzz targets, %d failures\n", inputs, std::size(kTargets), failures);
  return failures == 0 ? 0 : 1;
}
