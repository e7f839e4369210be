#include "PageGenerator.h"

#include <array>
#include <string_view>

namespace kv {

namespace {

// splitmix64: small, and the same everywhere (unlike the standard library's distributions).
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

constexpr std::array<std::string_view, 24> kWords = {"Garten",
                                                     "Rosen",
                                                     "und",
                                                     "die",
                                                     "Blumen",
                                                     "im",
                                                     "Sommer",
                                                     "wachsen",
                                                     "schnell",
                                                     "der",
                                                     "Gr\xF6\xDF"
                                                     "e",
                                                     "nach",
                                                     "\xFC"
                                                     "ber",
                                                     "sch\xF6n",
                                                     "M\xE4rz",
                                                     "Stra\xDF"
                                                     "e",
                                                     "Wasser",
                                                     "Erde",
                                                     "Licht",
                                                     "&amp;",
                                                     "&nbsp;",
                                                     "&copy;",
                                                     "&lt;Tipp&gt;",
                                                     "Caf\xE9"};
constexpr std::array<std::string_view, 6> kCjk = {"&#26085;&#26412;&#35486;",
                                                  "&#26862;",
                                                  "&#33457;&#22290;",
                                                  "&#12371;&#12435;&#12395;&#12385;&#12399;",
                                                  "&#27700;",
                                                  "&#20809;"};
constexpr std::array<std::string_view, 5> kPictures = {"rose.jpg", "tulpe.gif", "beet.png",
                                                       "zaun.jpg", "teich.png"};

void Sentence(std::string& out, TRandom& r, std::size_t words) {
  for (std::size_t i = 0; i < words; ++i) {
    if (i) out += ' ';
    const std::size_t kind = r.Below(40);
    if (kind == 0)
      out += r.Pick(kCjk);
    else if (kind == 1)
      out += "<B>" + std::string(r.Pick(kWords)) + "</B>";
    else if (kind == 2)
      out += "<I>" + std::string(r.Pick(kWords)) + "</I>";
    else if (kind == 3)
      out += "<A href=\"seite" + std::to_string(r.Below(50)) + ".html\">" +
             std::string(r.Pick(kWords)) + "</A>";
    else
      out += r.Pick(kWords);
  }
}

void Paragraph(std::string& out, TRandom& r) {
  out += "<P>";
  Sentence(out, r, 6 + r.Below(8));
  out += ".</P>\r\n";
}

void Picture(std::string& out, TRandom& r) {
  out += "<P><IMG src=\"bilder/" + std::string(r.Pick(kPictures)) + "\" alt=\"Bild " +
         std::to_string(r.Below(1000)) + "\" width=\"120\" height=\"80\"></P>\r\n";
}

void Table(std::string& out, TRandom& r) {
  out += "<TABLE border=\"1\" cellpadding=\"2\">\r\n<TBODY>\r\n";
  const std::size_t rows = 2 + r.Below(4);
  for (std::size_t row = 0; row < rows; ++row) {
    out += "<TR>\r\n";
    for (int col = 0; col < 3; ++col) {
      out += "<TD>";
      Sentence(out, r, 1 + r.Below(3));
      out += "</TD>\r\n";
    }
    out += "</TR>\r\n";
  }
  out += "</TBODY></TABLE>\r\n";
}

void List(std::string& out, TRandom& r) {
  const bool ordered = r.Below(2) == 0;
  out += ordered ? "<OL>\r\n" : "<UL>\r\n";
  const std::size_t items = 2 + r.Below(5);
  for (std::size_t i = 0; i < items; ++i) {
    out += "<LI>";
    Sentence(out, r, 2 + r.Below(5));
    out += "</LI>\r\n";
  }
  out += ordered ? "</OL>\r\n" : "</UL>\r\n";
}

}  // namespace

std::string GenerateBenchPage(std::size_t targetBytes, std::uint64_t seed) {
  TRandom r(seed);
  std::string out =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
      "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
      "<TITLE>Gartenbuch &#26085;&#26412;</TITLE>\r\n"
      "<META NAME=KEYWORDS CONTENT=\"garten,rosen\">\r\n</HEAD>\r\n<BODY>\r\n";
  out.reserve(targetBytes + 4096);
  int chapter = 0;
  while (out.size() < targetBytes) {
    out += "<H2>Kapitel " + std::to_string(++chapter) + ": ";
    Sentence(out, r, 3);
    out += "</H2>\r\n";
    const std::size_t blocks = 6 + r.Below(10);
    for (std::size_t b = 0; b < blocks; ++b) {
      const std::size_t kind = r.Below(12);
      if (kind < 7)
        Paragraph(out, r);
      else if (kind == 7)
        Picture(out, r);
      else if (kind == 8)
        Table(out, r);
      else if (kind == 9)
        List(out, r);
      else if (kind == 10)
        out +=
            "<H3>" + std::string(r.Pick(kWords)) + " " + std::string(r.Pick(kWords)) + "</H3>\r\n";
      else
        out += "<!-- Abschnitt " + std::to_string(b) + " -->\r\n";
    }
  }
  out += "</BODY>\r\n</HTML>\r\n";
  return out;
}

}  // namespace kv
