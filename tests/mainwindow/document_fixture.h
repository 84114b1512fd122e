#pragma once
// The main window with the document types defined, a folder of song files of its own, and a look
// at the document's state: its file, its unsaved-changes flag and the window title.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <optional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "app/file_types1.h"
#include "mainwindow/window_fixture.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "shell/toolbar1.h"
#include "support/file_bytes.h"

// The document's state as the user sees it.
struct DocState {
  std::optional<QString> file;  // the path of myFile
  bool dirty = false;
  QString title;
  bool operator==(const DocState&) const = default;
};

inline void PrintTo(const DocState& s, std::ostream* os) {
  *os << "{file " << (s.file ? s.file->toStdString() : std::string("none")) << ", dirty " << s.dirty << ", title \""
      << s.title.toStdString() << "\"}";
}

// Texts in failure messages as text, not as code units.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A song document text: each field followed by 0x0B.
inline QByteArray DocBytes(const QStringList& fields) {
  QString text;
  for (const QString& f : fields) text += f + QChar(0x0B);
  return text.toUtf8();
}

// A complete document with the default layout values.
inline QByteArray SongBytes(const QString& title, const QString& song, const QString& key = QStringLiteral("G")) {
  return DocBytes({"1.0.0", title, "2", key, song, "1", "5", "12", "12", "13", "7", "22", "27", "3/4", "80"});
}

class DocumentFixture : public WindowFixture {
 protected:
  void SetUp() override {
    if (!FileTypes1::HMNT()) FileTypes1::_Initialize();
    static int serial = 0;
    folder = TestRoot() + QStringLiteral("/songs-%1").arg(++serial);
    QDir().mkpath(folder);
    WindowFixture::SetUp();
  }

  FolderItem File(const QString& name) const { return FolderItem(folder + QLatin1Char('/') + name); }

  FolderItem Write(const QString& name, const QByteArray& bytes) const {
    QFile f(folder + QLatin1Char('/') + name);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return FolderItem(f.fileName());
  }

  // A named pipe, a listening socket and a symbolic link in the song folder.
  FolderItem Fifo(const QString& name) const {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    EXPECT_EQ(::mkfifo(path.constData(), 0644), 0);
    return File(name);
  }
  FolderItem Socket(const QString& name) const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);  // the socket file stays
    return File(name);
  }
  FolderItem Link(const QString& name, const QString& target) const {
    EXPECT_TRUE(QFile::link(target, folder + QLatin1Char('/') + name));
    return File(name);
  }

  static QByteArray Bytes(const FolderItem& file) { return FileBytes(file.Path()); }

  DocState State() const {
    return {w->myFile() ? std::optional<QString>(w->myFile()->Path()) : std::nullopt, w->Modified(), w->Title()};
  }
  static DocState Doc(const std::optional<FolderItem>& file, bool dirty, const QString& title) {
    return {file ? std::optional<QString>(file->Path()) : std::nullopt, dirty, title};
  }

  // An edit of the song text, as typing would make it.
  void Edit() const { w->txtSong()->SetText(w->txtSong()->Text() + QStringLiteral("x")); }

  // Opens a song document through the start-up path and expects it to succeed.
  void OpenSong(const FolderItem& file) const {
    w->mOpenFile(file);
    ASSERT_TRUE(w->myFile() && *w->myFile() == file) << dialogs.msgBoxes.join("|").toStdString();
  }

  QString folder;
};
