#include "core/skin/clock_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

#include "platform/time_zone.h"

namespace quarvel {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<bool> SwitchValue(const std::string& value) {
  const std::string v = Lower(value);
  if (v == "on" || v == "yes" || v == "true" || v == "1") return true;
  if (v == "off" || v == "no" || v == "false" || v == "0") return false;
  return std::nullopt;
}

// A whole number from lo to hi, the whole text.
std::optional<int32_t> WholeNumber(const std::string& text, int32_t lo, int32_t hi) {
  int32_t n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || n < lo || n > hi)
    return std::nullopt;
  return n;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

using Setter = std::function<std::optional<std::string>(ClockOptions&, const std::string&)>;
using Getter = std::function<std::string(const ClockOptions&)>;
struct OptionRule {
  std::string key;
  Getter get;
  Setter set;
};

OptionRule Switch(std::string key, bool ClockOptions::*field) {
  return {std::move(key), [field](const ClockOptions& o) { return o.*field ? "on" : "off"; },
          [field](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
            const std::optional<bool> on = SwitchValue(v);
            if (!on) return "not on or off";
            o.*field = *on;
            return std::nullopt;
          }};
}

const std::map<ClockLayer, std::string>& LayerNames() {
  static const std::map<ClockLayer, std::string> names{{ClockLayer::kTopmost, "top-most"},
                                                       {ClockLayer::kNormal, "normal"},
                                                       {ClockLayer::kBelow, "below"}};
  return names;
}

const std::vector<OptionRule>& Rules() {
  static const std::vector<OptionRule> rules{
      Switch("seconds_hand", &ClockOptions::secondsHand),
      Switch("date", &ClockOptions::date),
      {"date_place",
       [](const ClockOptions& o) {
         return std::to_string(o.datePlace.x) + "," + std::to_string(o.datePlace.y);
       },
       [](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
         // Inside the dial: at most the radius from the centre each way.
         constexpr int32_t kReach = 100;
         const std::size_t comma = v.find(',');
         const auto x = WholeNumber(Trimmed(v.substr(0, comma)), -kReach, kReach);
         const auto y = comma == std::string::npos
                            ? std::nullopt
                            : WholeNumber(Trimmed(v.substr(comma + 1)), -kReach, kReach);
         if (!x || !y) return "not x,y in percent of the radius from -100 to 100, such as 55,0";
         o.datePlace = {static_cast<int16_t>(*x), static_cast<int16_t>(*y)};
         return std::nullopt;
       }},
      {"date_colour", [](const ClockOptions& o) { return std::to_string(o.dateColor); },
       [](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
         constexpr int32_t kWhite = 0xFFFFFF;
         const auto colour = WholeNumber(v, 0, kWhite);
         if (!colour) return "not a colour number from 0 to 16777215 as in the hand files";
         o.dateColor = static_cast<ColorRef>(*colour);
         return std::nullopt;
       }},
      {"time_zone", [](const ClockOptions& o) { return o.timeZone; },
       [](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
         if (!v.empty() && !LooksLikeTimeZoneName(v))
           return "not a time zone name such as Asia/Tokyo";
         o.timeZone = v;
         return std::nullopt;
       }},
      {"opacity", [](const ClockOptions& o) { return std::to_string(o.opacityPercent); },
       [](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
         const std::string digits = !v.empty() && v.back() == '%' ? v.substr(0, v.size() - 1) : v;
         const auto percent = WholeNumber(digits, kMinOpacityPercent, kMaxOpacityPercent);
         if (!percent)
           return "not a whole percent from " + std::to_string(kMinOpacityPercent) + " to " +
                  std::to_string(kMaxOpacityPercent);
         o.opacityPercent = *percent;
         return std::nullopt;
       }},
      {"layer", [](const ClockOptions& o) { return LayerNames().at(o.layer); },
       [](ClockOptions& o, const std::string& v) -> std::optional<std::string> {
         for (const auto& [layer, name] : LayerNames())
           if (Lower(v) == name) {
             o.layer = layer;
             return std::nullopt;
           }
         return "not top-most, normal or below";
       }},
      Switch("all_workspaces", &ClockOptions::allWorkspaces),
      Switch("start_at_login", &ClockOptions::startAtLogin),
      Switch("hourly_chime", &ClockOptions::hourlyChime),
      Switch("locked", &ClockOptions::locked),
  };
  return rules;
}

const OptionRule* RuleOf(const std::string& key) {
  for (const OptionRule& rule : Rules())
    if (rule.key == key) return &rule;
  return nullptr;
}

}  // namespace

const std::vector<std::string>& OptionKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> all;
    for (const OptionRule& rule : Rules()) all.push_back(rule.key);
    return all;
  }();
  return keys;
}

std::string OptionValueText(const ClockOptions& options, const std::string& key) {
  const OptionRule* rule = RuleOf(key);
  return rule != nullptr ? rule->get(options) : std::string();
}

std::optional<std::string> SetOptionFromText(ClockOptions& options, const std::string& key,
                                             const std::string& value) {
  const OptionRule* rule = RuleOf(key);
  if (rule == nullptr) return "not an option";
  return rule->set(options, value);
}

}  // namespace quarvel
