// PictureFacts: the one file that talks to libexiv2. Its exceptions end here: a picture whose
// metadata cannot be read simply has no facts.
#include "catalogue/PictureFacts.h"

#include <cmath>
#include <cstdio>
#include <exiv2/exiv2.hpp>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "util/ZetPlatform.h"
#include "util/ZetStrings.h"

namespace zetgallery {

namespace {

// The XMP toolkit inside libexiv2 keeps global state: it is set up once, and parsing is kept to
// one thread at a time (reading the few kilobytes of a header is not where a build spends time).
std::mutex& MetadataMutex() {
  static std::mutex mutex;
  return mutex;
}

void StartMetadataLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    // A damaged block is the picture's business, not the console's.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize();
  });
}

// One build asks for a picture's facts up to three times (to order the pictures, for its caption,
// for its page), and the window asks again when it lists the pictures. The facts of a file stay
// while the file does: it is known by its path, identity, size and time.
using TFactsKey = std::tuple<std::string, uint64_t, uint64_t, uint64_t, int64_t, int64_t, int64_t>;

class TFactsCache {
 public:
  bool Find(const TFactsKey& key, TPictureFacts& facts) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = facts_.find(key);
    if (found == facts_.end()) return false;
    facts = found->second;
    return true;
  }
  void Add(const TFactsKey& key, const TPictureFacts& facts) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // A window open for days over many folders would otherwise keep every picture it saw.
    constexpr size_t kMostPictures = 100000;
    if (facts_.size() >= kMostPictures) facts_.clear();
    facts_[key] = facts;
  }

 private:
  std::mutex mutex_;
  std::map<TFactsKey, TPictureFacts> facts_;
};

TFactsCache& FactsCache() {
  static TFactsCache cache;
  return cache;
}

TPictureFacts ReadFactsFromFile(const std::string& path);

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\0'; }

// Line breaks become blanks (a caption is one line of the page), blanks at both ends go.
std::string OneLine(std::string text) {
  for (char& ch : text)
    if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string XmpText(const Exiv2::XmpData& xmp, const char* key) {
  const auto found = xmp.findKey(Exiv2::XmpKey(key));
  if (found == xmp.end()) return {};
  const Exiv2::Value& value = found->value();
  if (value.typeId() == Exiv2::langAlt) {
    // Several languages may be present: the default one, else the first.
    const auto& languages = dynamic_cast<const Exiv2::LangAltValue&>(value).value_;
    const auto fallback = languages.find("x-default");
    if (fallback != languages.end()) return fallback->second;
    return languages.empty() ? std::string() : languages.begin()->second;
  }
  return value.toString();
}

std::string IptcText(const Exiv2::IptcData& iptc, const char* key) {
  const auto found = iptc.findKey(Exiv2::IptcKey(key));
  return found == iptc.end() ? std::string() : found->value().toString();
}

const Exiv2::Exifdatum* ExifField(const Exiv2::ExifData& exif, const char* key) {
  const auto found = exif.findKey(Exiv2::ExifKey(key));
  return found == exif.end() || found->count() == 0 ? nullptr : &*found;
}

std::string ExifText(const Exiv2::ExifData& exif, const char* key) {
  const Exiv2::Exifdatum* field = ExifField(exif, key);
  return field == nullptr ? std::string() : field->toString();
}

double ExifNumber(const Exiv2::ExifData& exif, const char* key) {
  const Exiv2::Exifdatum* field = ExifField(exif, key);
  if (field == nullptr) return 0;
  const double number = field->toFloat(0);
  return std::isfinite(number) && number > 0 ? number : 0;
}

std::string UpperAscii(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

// Many cameras fill the description with their own name ("OLYMPUS DIGITAL CAMERA",
// "SONY DSC", the model): that is no caption, and the picture's page must not show it.
bool IsCameraPlaceholder(const std::string& text, const TPictureFacts& facts) {
  static const std::string kSuffix = "DIGITAL CAMERA";
  const std::string upper = UpperAscii(text);
  if (upper == text && upper.size() >= kSuffix.size() &&
      upper.compare(upper.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0)
    return true;
  for (const std::string& name :
       {std::string("SONY DSC"), std::string("DIGITAL IMAGE"), std::string("DEFAULT"),
        UpperAscii(facts.make), UpperAscii(facts.model),
        UpperAscii(facts.make + " " + facts.model)})
    if (upper == OneLine(name)) return true;
  return false;
}

// The first caption that is not blank and not the camera's own filler, make and model known.
std::string FirstCaption(Exiv2::Image& image, const TPictureFacts& facts) {
  for (std::string text : {XmpText(image.xmpData(), "Xmp.dc.description"),
                           IptcText(image.iptcData(), "Iptc.Application2.Caption"),
                           ExifText(image.exifData(), "Exif.Image.ImageDescription")}) {
    text = OneLine(AsUtf8(text));
    if (!text.empty() && !IsCameraPlaceholder(text, facts)) return text;
  }
  return {};
}

void ReadExif(const Exiv2::ExifData& exif, TPictureFacts& facts) {
  facts.taken = ParseExifDate(ExifText(exif, "Exif.Photo.DateTimeOriginal"));
  if (!facts.taken.valid)
    facts.taken = ParseExifDate(ExifText(exif, "Exif.Photo.DateTimeDigitized"));
  facts.make = OneLine(AsUtf8(ExifText(exif, "Exif.Image.Make")));
  facts.model = OneLine(AsUtf8(ExifText(exif, "Exif.Image.Model")));
  facts.focalLength = ExifNumber(exif, "Exif.Photo.FocalLength");
  facts.fNumber = ExifNumber(exif, "Exif.Photo.FNumber");
  facts.exposureSeconds = ExifNumber(exif, "Exif.Photo.ExposureTime");
  facts.iso = std::lround(ExifNumber(exif, "Exif.Photo.ISOSpeedRatings"));
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads `digits` decimal digits of `text` at `pos`.
bool ReadNumber(const std::string& text, size_t pos, size_t digits, int& value) {
  if (pos + digits > text.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// A decimal number without trailing zeros: 2.8, 4, 1.5.
std::string ShortNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string result = text;
  if (result.size() > 2 && result.compare(result.size() - 2, 2, ".0") == 0)
    result.resize(result.size() - 2);
  return result;
}

}  // namespace

TPictureFacts ReadPictureFacts(const std::string& path) {
  TFileStatus status;
  if (!ReadFileStatus(path, status) || !status.IsRegular()) return TPictureFacts();
  const TFactsKey key{path,
                      status.device,
                      status.inode,
                      status.size,
                      status.modified.seconds,
                      status.modified.nanoseconds,
                      status.changed.seconds * 1000000000 + status.changed.nanoseconds};
  TPictureFacts facts;
  if (FactsCache().Find(key, facts)) return facts;
  facts = ReadFactsFromFile(path);
  FactsCache().Add(key, facts);
  return facts;
}

namespace {

TPictureFacts ReadFactsFromFile(const std::string& path) {
  StartMetadataLibrary();
  TPictureFacts facts;
  try {
    const std::lock_guard<std::mutex> lock(MetadataMutex());
    auto image = Exiv2::ImageFactory::open(path);
    if (image.get() == nullptr) return facts;
    image->readMetadata();
    ReadExif(image->exifData(), facts);
    facts.caption = FirstCaption(*image, facts);
  } catch (const std::exception&) {
    // Not a picture libexiv2 knows, unreadable, or a damaged block: no facts.
    return TPictureFacts();
  }
  return facts;
}

}  // namespace

TDateTaken ParseExifDate(const std::string& text) {
  TDateTaken date;
  const std::string trimmed = OneLine(text);
  if (trimmed.size() != 16 && trimmed.size() != 19) return date;
  const auto dateSeparator = [](char ch) { return ch == ':' || ch == '-' || ch == '/'; };
  if (!dateSeparator(trimmed[4]) || trimmed[7] != trimmed[4] ||
      (trimmed[10] != ' ' && trimmed[10] != 'T') || trimmed[13] != ':' ||
      (trimmed.size() == 19 && trimmed[16] != ':'))
    return date;
  if (!ReadNumber(trimmed, 0, 4, date.year) || !ReadNumber(trimmed, 5, 2, date.month) ||
      !ReadNumber(trimmed, 8, 2, date.day) || !ReadNumber(trimmed, 11, 2, date.hour) ||
      !ReadNumber(trimmed, 14, 2, date.minute) ||
      (trimmed.size() == 19 && !ReadNumber(trimmed, 17, 2, date.second)))
    return TDateTaken();
  date.valid = date.year >= 1 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
               date.day <= DaysInMonth(date.year, date.month) && date.hour <= 23 &&
               date.minute <= 59 && date.second <= 60;
  return date.valid ? date : TDateTaken();
}

std::string DateTakenText(const TDateTaken& date) {
  if (!date.valid) return {};
  static const char* const kMonths[] = {"января",   "февраля", "марта",  "апреля",
                                        "мая",      "июня",    "июля",   "августа",
                                        "сентября", "октября", "ноября", "декабря"};
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", date.hour, date.minute);
  return std::to_string(date.day) + " " + kMonths[date.month - 1] + " " +
         std::to_string(date.year) + ", " + time;
}

std::string CameraText(const std::string& make, const std::string& model) {
  if (model.empty()) return make;
  if (make.empty()) return model;
  // "NIKON CORPORATION" + "NIKON D750", "Canon" + "Canon EOS 5D": the model already names it.
  const std::string firstWord = make.substr(0, make.find(' '));
  if (SameTextIgnoringCase(model.substr(0, firstWord.size()), firstWord)) return model;
  return make + " " + model;
}

std::string ExposureText(const TPictureFacts& facts) {
  std::string parts[4];
  if (facts.focalLength > 0) parts[0] = ShortNumber(facts.focalLength) + " мм";
  if (facts.fNumber > 0) parts[1] = "f/" + ShortNumber(facts.fNumber);
  if (facts.exposureSeconds >= 1)
    parts[2] = ShortNumber(facts.exposureSeconds) + " с";
  else if (facts.exposureSeconds > 0)
    parts[2] = "1/" + std::to_string(std::lround(1 / facts.exposureSeconds)) + " с";
  if (facts.iso > 0) parts[3] = "ISO " + std::to_string(facts.iso);
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += ", ";
    text += part;
  }
  return text;
}

std::string AsUtf8(const std::string& text) {
  bool wellFormed = true;
  for (size_t pos = 0; pos < text.size() && wellFormed;) {
    const size_t length = Utf8CharLength(text, pos);
    wellFormed = length > 1 || static_cast<unsigned char>(text[pos]) < 0x80;
    pos += length;
  }
  if (wellFormed) return text;
  std::string result;
  for (const char ch : text) AppendUtf8(result, static_cast<unsigned char>(ch));
  return result;
}

}  // namespace zetgallery
