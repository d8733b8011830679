#include "core/skineditor/recovery_copy.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

#include "runtime/safe_file.h"

namespace quarvel {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kHeader = "QUARVEL skin recovery 1";
constexpr const char* kHandWords[3] = {"hour", "minute", "second"};  // by HandId

// Reads the copy's text line by line; the first fault is kept and every later read fails.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  const std::string& problem() const { return problem_; }
  bool ok() const { return problem_.empty(); }
  bool AtEnd() const { return at_ == text_.size(); }

  std::string_view Line() {
    if (!ok()) return {};
    const std::size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) return Fail("it is cut short"), std::string_view{};
    const std::string_view line = text_.substr(at_, end - at_);
    at_ = end + 1;
    ++line_;
    return line;
  }
  // Whether the next line starts with "<word> " (nothing is read).
  bool NextIs(std::string_view word) const {
    const std::string_view rest = text_.substr(at_);
    return ok() && rest.size() > word.size() && rest.substr(0, word.size()) == word &&
           rest[word.size()] == ' ';
  }
  // "<word> <rest>": the rest, or a fault when the line starts otherwise.
  std::string_view Field(std::string_view word) {
    const std::string_view line = Line();
    if (!ok()) return {};
    if (line.size() <= word.size() || line.substr(0, word.size()) != word ||
        line[word.size()] != ' ')
      return Fail("line " + std::to_string(line_) + " is not \"" + std::string(word) + " ...\""),
             std::string_view{};
    return line.substr(word.size() + 1);
  }
  // A path or name of the length given on its own line: any bytes, then a line break.
  std::string Text(std::string_view word) {
    const std::optional<int64_t> length = Number(Field(word), 0, kMaxRecoveryBytes);
    if (!ok()) return {};
    if (!length || text_.size() - at_ < static_cast<std::size_t>(*length) + 1 ||
        text_[at_ + static_cast<std::size_t>(*length)] != '\n')
      return Fail("the " + std::string(word) + " is cut short"), std::string{};
    std::string value(text_.substr(at_, static_cast<std::size_t>(*length)));
    at_ += static_cast<std::size_t>(*length) + 1;
    ++line_;
    return value;
  }
  // A whole decimal number within [low, high], else a fault naming the line.
  std::optional<int64_t> Number(std::string_view text, int64_t low, int64_t high) {
    if (!ok()) return std::nullopt;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high)
      return Fail("line " + std::to_string(line_) + " holds no number the editor takes"),
             std::nullopt;
    return value;
  }
  void Fail(std::string why) {
    if (ok()) problem_ = std::move(why);
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  int line_ = 0;
  std::string problem_;
};

template <typename T>
int64_t Low() {
  return std::numeric_limits<T>::min();
}
template <typename T>
int64_t High() {
  return std::numeric_limits<T>::max();
}

void ReadHand(Reader& in, std::string_view word, HandDraft& hand) {
  const std::string_view rest = in.Field("hand " + std::string(word));
  const std::size_t blank = rest.find(' ');
  const auto colour = in.Number(rest.substr(0, blank), Low<ColorRef>(), High<ColorRef>());
  const auto count =
      in.Number(blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1), 0,
                HandShape::kCapacity);
  if (!in.ok()) return;
  hand.color = static_cast<ColorRef>(*colour);
  hand.points.clear();
  for (int64_t i = 0; i < *count && in.ok(); ++i) {
    const std::string_view line = in.Line();
    const std::size_t comma = line.find(',');
    const auto angle = in.Number(line.substr(0, comma), Low<int32_t>(), High<int32_t>());
    const auto percent =
        in.Number(comma == std::string_view::npos ? std::string_view{} : line.substr(comma + 1),
                  Low<int32_t>(), High<int32_t>());
    if (in.ok())
      hand.points.push_back({static_cast<int32_t>(*angle), static_cast<int32_t>(*percent)});
  }
}

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

// The copy's text, or nothing when there is no file; raises for a file that can't be read.
std::optional<std::string> ReadCopy(const std::string& path) {
  try {
    return ReadRegularFile(path, path, kMaxRecoveryBytes);
  } catch (const RuntimeError& error) {
    if (error.number() == static_cast<int>(ErrorNumber::kFileNotFound)) return std::nullopt;
    throw;
  }
}
}  // namespace

std::string RecoveryText(const std::string& skinFolder, const SkinDocument& document) {
  std::string text(kHeader);
  text += "\nfolder " + std::to_string(skinFolder.size()) + "\n" + skinFolder + "\n";
  text +=
      "bitmap " + std::to_string(document.bitmapName.size()) + "\n" + document.bitmapName + "\n";
  text += "pen " + std::to_string(document.penWidth) + "\n";
  text += "size " + std::to_string(document.sizePercent) + "\n";
  // The options that differ from the defaults (a copy of an older editor has none).
  const ClockOptions defaults;
  for (const std::string& key : OptionKeys()) {
    const std::string value = OptionValueText(document.options, key);
    if (value != OptionValueText(defaults, key)) text += "option " + key + " " + value + "\n";
  }
  for (const HandId id : kAllHands) {
    const HandDraft& hand = document.hand(id);
    text += "hand " + std::string(kHandWords[static_cast<int>(id)]) + " " +
            std::to_string(hand.color) + " " + std::to_string(hand.points.size()) + "\n";
    for (const ShapePoint& point : hand.points)
      text += std::to_string(point.angleOffset) + "," + std::to_string(point.radiusPercent) + "\n";
  }
  return text + "end\n";
}

std::optional<RecoveryCopy> ParseRecoveryText(std::string_view text, std::string& problem) {
  Reader in(text);
  RecoveryCopy copy;
  if (in.Line() != kHeader) in.Fail("it is not a copy of unsaved skin edits");
  copy.folder = in.Text("folder");
  copy.document.bitmapName = in.Text("bitmap");
  const auto pen = in.Number(in.Field("pen"), Low<int16_t>(), High<int16_t>());
  const auto size = in.Number(in.Field("size"), Low<int16_t>(), High<int16_t>());
  while (in.NextIs("option")) {
    const std::string_view rest = in.Field("option");
    const std::size_t blank = rest.find(' ');
    const std::string key(rest.substr(0, blank));
    const std::string value(blank == std::string_view::npos ? "" : rest.substr(blank + 1));
    const bool known =
        std::find(OptionKeys().begin(), OptionKeys().end(), key) != OptionKeys().end();
    if (!known || SetOptionFromText(copy.document.options, key, value))
      in.Fail("the option \"" + key + "\" holds nothing the editor takes");
  }
  for (const HandId id : kAllHands)
    ReadHand(in, kHandWords[static_cast<int>(id)], copy.document.hand(id));
  if (in.Line() != "end" || !in.AtEnd()) in.Fail("it does not end where a copy ends");
  problem = in.problem();
  if (!in.ok()) return std::nullopt;
  copy.document.penWidth = static_cast<int16_t>(*pen);
  copy.document.sizePercent = static_cast<int16_t>(*size);
  return copy;
}

std::string PosixRecoveryFolder(const char* xdgStateHome, const char* home) {
  if (xdgStateHome != nullptr && xdgStateHome[0] == '/')
    return std::string(xdgStateHome) + "/quarvel/recovery";
  if (home != nullptr && home[0] == '/')
    return std::string(home) + "/.local/state/quarvel/recovery";
  return {};
}

std::string WindowsRecoveryFolder(const char* localAppData) {
  if (localAppData == nullptr || localAppData[0] == '\0') return {};
  return std::string(localAppData) + "\\QUARVEL\\recovery";
}

std::string RecoveryFileName(const std::string& skinFolder) {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.skin",
                static_cast<unsigned long long>(Fnv1a(skinFolder)));
  return name;
}

RecoveryStore RecoveryStore::ForThisUser() {
#ifdef _WIN32
  return RecoveryStore(WindowsRecoveryFolder(std::getenv("LOCALAPPDATA")));
#else
  return RecoveryStore(PosixRecoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")));
#endif
}

std::string RecoveryStore::PathFor(const std::string& skinFolder) const {
  return (fs::path(folder_) / RecoveryFileName(skinFolder)).string();
}

void RecoveryStore::Keep(const std::string& skinFolder, const SkinDocument& document) const {
  if (folder_.empty())
    throw RuntimeError(ErrorNumber::kPathFileAccessError, "the user's state folder");
  std::error_code ec;
  if (fs::create_directories(folder_, ec))
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace, ec);
  SafeReplace(PathFor(skinFolder), RecoveryText(skinFolder, document), PathFor(skinFolder));
}

RecoveryLookup RecoveryStore::Find(const std::string& skinFolder) const {
  RecoveryLookup found;
  if (folder_.empty()) return found;
  try {
    const std::optional<std::string> text = ReadCopy(PathFor(skinFolder));
    if (!text) return found;
    std::optional<RecoveryCopy> copy = ParseRecoveryText(*text, found.problem);
    if (!copy) {
      found.kind = RecoveryLookup::Kind::kUnreadable;
    } else if (copy->folder == skinFolder) {
      found.kind = RecoveryLookup::Kind::kFound;
      found.document = std::move(copy->document);
    }
  } catch (const RuntimeError& error) {
    found.kind = RecoveryLookup::Kind::kUnreadable;
    found.problem = error.what();
  }
  return found;
}

void RecoveryStore::Drop(const std::string& skinFolder) const {
  if (Find(skinFolder).kind != RecoveryLookup::Kind::kFound) return;
  std::error_code ec;
  fs::remove(PathFor(skinFolder), ec);
}

std::string RecoveryStore::SetAside(const std::string& skinFolder) const {
  const std::string from = PathFor(skinFolder);
  for (int n = 1; n < 100; ++n) {
    std::string to = from;
    if (n > 1) to.append(1, '-').append(std::to_string(n));
    to.append(".unreadable");
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) continue;
    fs::rename(from, to, ec);
    return ec ? std::string{} : to;
  }
  return {};
}

}  // namespace quarvel
