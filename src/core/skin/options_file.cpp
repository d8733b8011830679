#include "core/skin/options_file.h"

#include <algorithm>
#include <cctype>

#include "runtime/safe_file.h"

namespace quarvel {

namespace {

constexpr const char* kHeader =
    "# QUARVEL clock options, one key=value a line; the clock reads them at its start.\n"
    "# A value it can't use keeps its default. Lines it doesn't know are kept as they are.\n";
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

// Text as an editor writes it: no NUL and no control character but tab, CR, LF.
bool IsText(const std::string& bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
  });
}

std::vector<std::string> SplitKeepingEnds(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      end = text.size();
    } else {
      end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    }
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string Trim(const std::string& text) {
  const auto blank = [](unsigned char c) { return c == ' ' || c == '\t'; };
  auto begin = std::find_if_not(text.begin(), text.end(), blank);
  auto end = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(begin), blank);
  return std::string(begin, end.base());
}

std::string LineEndOf(const std::string& line) {
  const std::size_t end = line.find_first_of("\r\n");
  return end == std::string::npos ? std::string() : line.substr(end);
}

// A line's content: no line end, no byte-order mark.
std::string ContentOf(const std::string& line, bool first) {
  std::string content = line.substr(0, line.find_first_of("\r\n"));
  if (first && content.rfind(kUtf8Mark, 0) == 0) content.erase(0, 3);
  return content;
}

bool IsComment(const std::string& content) {
  const std::string trimmed = Trim(content);
  return trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';';
}

std::string LowerKey(std::string key) {
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

// The known key a line sets, lower-cased, or "" for any other line.
std::string KnownKeyOf(const std::string& content) {
  if (IsComment(content)) return {};
  const std::size_t equals = content.find('=');
  if (equals == std::string::npos) return {};
  const std::string key = LowerKey(Trim(content.substr(0, equals)));
  const std::vector<std::string>& keys = OptionKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end() ? key : std::string();
}

}  // namespace

OptionsFile ReadOptionsFile(FileSlot& slot) {
  OptionsFile found;
  std::string bytes;
  try {
    bytes = ReadRegularFile(slot.Resolve(kOptionsFile), kOptionsFile);
  } catch (const RuntimeError& error) {
    if (error.number() != static_cast<int>(ErrorNumber::kFileNotFound))
      found.unreadable = error.what();
    return found;
  }
  if (!IsText(bytes)) {
    found.unreadable = std::string(kOptionsFile) + " is not a text file";
    return found;
  }
  found.lines = SplitKeepingEnds(bytes);
  for (std::size_t i = 0; i < found.lines.size(); ++i) {
    const std::string content = ContentOf(found.lines[i], i == 0);
    if (IsComment(content)) continue;
    const std::size_t equals = content.find('=');
    if (equals == std::string::npos) {
      found.refused.push_back({Trim(content), "", "not a key=value line"});
      continue;
    }
    const std::string key = Trim(content.substr(0, equals));
    const std::string value = Trim(content.substr(equals + 1));
    if (KnownKeyOf(content).empty()) continue;  // another version's option: kept, not read
    if (auto why = SetOptionFromText(found.options, LowerKey(key), value))
      found.refused.push_back({key, value, *why});
  }
  return found;
}

std::string OptionsText(const OptionsFile& found, const ClockOptions& options) {
  std::string lineEnd = "\r\n";
  for (const std::string& line : found.lines)
    if (!LineEndOf(line).empty()) {
      lineEnd = LineEndOf(line);
      break;
    }
  std::string text;
  if (found.lines.empty()) {
    for (const std::string& line : SplitKeepingEnds(kHeader))
      text += ContentOf(line, false) + lineEnd;
  }
  std::vector<std::string> written;
  for (std::size_t i = 0; i < found.lines.size(); ++i) {
    const std::string& line = found.lines[i];
    const std::string content = ContentOf(line, i == 0);
    const std::string key = KnownKeyOf(content);
    if (key.empty()) {
      text += line;
      continue;
    }
    // The key as the user wrote it and the blanks before the "=", the value put after it.
    const std::string mark = i == 0 && line.rfind(kUtf8Mark, 0) == 0 ? kUtf8Mark : "";
    text += mark + content.substr(0, content.find('=') + 1) + OptionValueText(options, key) +
            LineEndOf(line);
    written.push_back(key);
  }
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += lineEnd;
  for (const std::string& key : OptionKeys())
    if (std::find(written.begin(), written.end(), key) == written.end())
      text += key + "=" + OptionValueText(options, key) + lineEnd;
  return text;
}

void WriteOptionsFile(FileSlot& slot, const OptionsFile& found, const ClockOptions& options) {
  slot.ReplaceWithText(kOptionsFile, OptionsText(found, options));
}

}  // namespace quarvel
