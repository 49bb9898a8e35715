// PictureFacts: what a picture says about itself in its EXIF, IPTC and XMP blocks (its caption,
// when it was taken, the camera and the exposure), read without decoding a pixel, and the texts
// the gallery shows of them.
#pragma once

#include <string>

namespace zetgallery {

// The moment a picture was taken, as the camera wrote it (local time, no zone).
struct TDateTaken {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool valid = false;
};

// The facts of one picture; every text is UTF-8, empty where the picture has none.
struct TPictureFacts {
  // XMP dc:description, else IPTC Caption-Abstract, else EXIF ImageDescription: the first that is
  // not empty after trimming blanks, with line breaks made blanks.
  std::string caption;
  TDateTaken taken;  // EXIF DateTimeOriginal, else DateTimeDigitized
  std::string make;  // EXIF Make and Model, trimmed
  std::string model;
  // EXIF FocalLength in mm, FNumber, ExposureTime in seconds, ISO speed; 0 where absent.
  double focalLength = 0;
  double fNumber = 0;
  double exposureSeconds = 0;
  long iso = 0;
};

// Reads the metadata blocks of the picture at `path`. A file that cannot be read, is not a
// picture the metadata library knows, or holds no metadata gives empty facts; nothing is shown.
// Safe to call from several threads.
TPictureFacts ReadPictureFacts(const std::string& path);

// Parses an EXIF date "YYYY:MM:DD HH:MM:SS" (seconds may be missing; "-" or "/" for ":" in the
// date and a "T" for the blank are taken too). Anything else, or a date that does not exist,
// gives an invalid date.
TDateTaken ParseExifDate(const std::string& text);

// "8 декабря 2026, 14:05" for a Russian reader; "" for an invalid date.
std::string DateTakenText(const TDateTaken& date);

// "Canon EOS 5D" from make "Canon" and model "Canon EOS 5D"; the make is left out when the
// model starts with its first word; "" when both are empty.
std::string CameraText(const std::string& make, const std::string& model);

// "50 мм, f/2.8, 1/250 с, ISO 100": each part only when it is known; "" when none is.
std::string ExposureText(const TPictureFacts& facts);

// `text` as UTF-8: valid UTF-8 stays as it is, anything else is read as Latin-1 (what IPTC and
// EXIF texts without a declared character set mostly are).
std::string AsUtf8(const std::string& text);

}  // namespace zetgallery
