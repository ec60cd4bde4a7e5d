#include "tests/codecs/corpus_rules.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

namespace quorvin::codecs::testing {
namespace fs = std::filesystem;
namespace {

// How a rule finds the reference of a file it matches.
enum class RefKind {
  kNone,
  kSelf,           // Pillow decodes the file itself
  kSiblingPng,     // name.pcx -> name.png beside it
  kSdlSample,      // every sdl-image sample equals sample.bmp
  kGifFrame0,      // gif-test-suite: gifs/frames/<name>-0.png
  kPygif,          // pygif-test-suite: the .conf says
  kGiflibRgb,      // giflib: tests/<name>.rgb, raw RGB of the logical screen
  kIcoShownEntry,  // the entry ico-directories.tsv names, decoded by Pillow
  kPlainBmp,       // compare when bmp-headers.tsv calls it plain, otherwise survive
  kBmpSuiteHtml,   // the same, against the rendering html/bmpsuite.html names for it
  kImageRs,        // image-rs: reference/<path>.png
};

struct Rule {
  const char* pattern;
  Verdict verdict;
  RefKind ref = RefKind::kNone;
  int tolerance = 0;
  bool opaqueOnly = false;
};

// First match wins.
const Rule kRules[] = {
    // Not inputs.
    {R"(.*\.(txt|md|html|md5|tsv|conf|rgba|rgb|json|icc|xmp|css)|.*/(LICENSE|COPYING|README|TESTS|NOTES)[^/]*|[^/]*)",
     Verdict::kSkip},
    {R"(bmpsuite/html/.*|image-rs/reference/.*|gif-test-suite/gifs/frames/.*)", Verdict::kSkip},
    {R"((pygif-test-suite|rust-ico|go-ico|kimageformats-pcx|image-extras-pcx)/.*\.png)",
     Verdict::kSkip},
    {R"(gdk-pixbuf/reftests/.*\.ref\.png|pillow/(bw_gradient|hopper_mask)\.png)", Verdict::kSkip},

    // PngSuite: x* are corrupt; 16-bit samples round where the reference truncates.
    {R"(pngsuite/x.*)", Verdict::kRefuse},
    {R"(pngsuite/.*\.png)", Verdict::kCompare, RefKind::kSelf, 1},

    // BMP Suite: only plain 1/4/8/24/32-bpp files are drawn, compared with the suite's own
    // renderings; b/ and x/ are broken.
    {R"(bmpsuite/b/reallybig\.bmp)", Verdict::kRefuse},
    {R"(bmpsuite/[bx]/.*)", Verdict::kSurvive},
    // rgb24prof2.bmp carries a colour profile that swaps red and green in its rendering; profiles
    // are not applied here, so its stored pixels are what counts.
    {R"(bmpsuite/q/rgb24prof2\.bmp)", Verdict::kCompare, RefKind::kSelf},
    {R"(bmpsuite/[gq]/.*)", Verdict::kCompare, RefKind::kBmpSuiteHtml},

    // libjpeg-turbo: 12-bit and lossless files need another libjpeg; a tables-only stream has no
    // image. The reference uses the same libjpeg with the same settings at full size.
    {R"(libjpeg-turbo-testimages/monkey12\.jpg)", Verdict::kRefuse},
    {R"(libjpeg-turbo-testimages/.*)", Verdict::kCompare, RefKind::kSelf, 2},
    {R"(libjpeg-turbo-seed-corpora/maintainer-generated/8bit/8x8_420_tables\.jpg)",
     Verdict::kRefuse},
    {R"(libjpeg-turbo-seed-corpora/maintainer-generated/8bit/.*)", Verdict::kCompare,
     RefKind::kSelf, 2},
    {R"(libjpeg-turbo-seed-corpora/.*)", Verdict::kSurvive},

    // Pillow's own labels. Its BITFIELDS BMPs are valid but not drawn here.
    {R"(pillow/(.*\.(ico|cur)))", Verdict::kRefuse},  // refined below by name
    // Pillow 9.4 reads the four planes of p_4_planes.pcx in another order than the standard one
    // (plane n is bit n), which kimageformats-pcx/16color.pcx checks.
    {R"(pillow/(pil184|odd_stride)\.pcx|pillow/hopper\.(bmp|png))", Verdict::kCompare,
     RefKind::kSelf},
    {R"(pillow/(hopper|hopper_gray|pil_sample_rgb|pil_sample_cmyk|rgb|flower|hopper_16bit_qtables|icc-after-SOF|app13|hopper_orientation_[2-8]|invalid-exif|broken_exif_dpi)\.jpg)",
     Verdict::kCompare, RefKind::kSelf, 2},
    // decompression_bomb_extents.gif is hostile in a later frame; its first image is plain.
    // giflib refuses LZW code sizes above 8, which GIF does not need (issue_2811).
    {R"(pillow/(decompression_bomb_extents|issue_2811)\.gif)", Verdict::kSurvive},
    {R"(pillow/(decompression_bomb|zero_width)\.gif|pillow/(01r_00|ossfuzz-.*)\.pcx|pillow/pcx_overrun.*\.bin)",
     Verdict::kRefuse},
    {R"(pillow/(l2rgb_read\.bmp|broken\.png|broken_data_stream\.png|pngtest_bad\.png\.bin))",
     Verdict::kRefuse},
    {R"(pillow/(no_palette.*|background_outside_palette|missing_background)\.gif)",
     Verdict::kSurvive},
    {R"(pillow/.*\.gif)", Verdict::kCompare, RefKind::kSelf, 0, true},
    {R"(pillow/.*)", Verdict::kSurvive},

    // image-rs: bad/ must fail; lenient BMPs and fuzz finds only must not crash.
    {R"(image-rs/bad/.*)", Verdict::kRefuse},
    {R"(image-rs/regression/.*|image-rs/images/bmp/images/lenient/.*)", Verdict::kSurvive},
    // bmp_v5_with_icc.ico places its colour profile where the AND mask belongs, so its mask is
    // undefined; pal8badindex.bmp uses palette indices past the palette, which draw black here.
    {R"(image-rs/images/ico/images/bmp_v5_with_icc\.ico|image-rs/images/bmp/images/pal8badindex\.bmp)",
     Verdict::kSurvive},
    {R"(image-rs/images/ico/.*)", Verdict::kCompare, RefKind::kIcoShownEntry},
    {R"(image-rs/images/bmp/.*)", Verdict::kCompare, RefKind::kPlainBmp},
    {R"(image-rs/images/gif/.*)", Verdict::kCompare, RefKind::kImageRs, 0, true},
    {R"(image-rs/images/.*)", Verdict::kCompare, RefKind::kSelf, 2},

    // PCX suites: the PNG beside each file.
    {R"((image-extras-pcx|kimageformats-pcx)/.*\.pcx)", Verdict::kCompare, RefKind::kSiblingPng, 0,
     true},

    // SDL_image: one picture in every format.
    {R"(sdl-image/sample\.(bmp|png|ico|cur|pcx))", Verdict::kCompare, RefKind::kSdlSample},
    {R"(sdl-image/sample\.jpg)", Verdict::kCompare, RefKind::kSelf, 2},
    {R"(sdl-image/.*\.gif)", Verdict::kCompare, RefKind::kSelf, 0, true},
    {R"(sdl-image/.*)", Verdict::kCompare, RefKind::kSelf},

    // GIF suites: the first frame, where it is opaque.
    {R"(gif-test-suite/gifs/.*\.gif)", Verdict::kCompare, RefKind::kGifFrame0, 0, true},
    // The program shows a GIF's first image, where pygif draws images written without delays as
    // one frame, and expects nothing of an image that follows a plain-text block. giflib refuses
    // LZW code sizes above 8 (max-codes).
    {R"(pygif-test-suite/(high-color|images-combine|images-overlap|dispose-restore-previous|plain-text|max-codes)\.gif)",
     Verdict::kSurvive},
    {R"(pygif-test-suite/.*\.gif)", Verdict::kCompare, RefKind::kPygif, 0, true},
    {R"(giflib/pic/(fire|welcome2)\.gif|giflib/tests/wedge\.gif)", Verdict::kCompare,
     RefKind::kSelf, 0, true},
    {R"(giflib/.*\.gif)", Verdict::kCompare, RefKind::kGiflibRgb},

    // Icon suites: the entry this program shows.
    {R"((rust-ico|go-ico)/.*)", Verdict::kCompare, RefKind::kIcoShownEntry},

    // gdk-pixbuf.
    {R"(gdk-pixbuf/fail/.*)", Verdict::kRefuse},
    {R"(gdk-pixbuf/randomly-modified/valid\..*)", Verdict::kCompare, RefKind::kSelf, 2, true},
    {R"(gdk-pixbuf/randomly-modified/.*|gdk-pixbuf/misc/premature-end\..*)", Verdict::kSurvive},
    {R"(gdk-pixbuf/misc/(bug775218\.jpg|cve-2015-4491\.bmp|issue205\.jpg))", Verdict::kRefuse},
    {R"(gdk-pixbuf/reftests/.*\.ico)", Verdict::kCompare, RefKind::kIcoShownEntry},
    {R"(gdk-pixbuf/(reftests|misc)/.*)", Verdict::kCompare, RefKind::kSelf, 2, true},

    {R"(.*)", Verdict::kSurvive},
};

// Pillow's valid icons and cursors (the rest of its .ico/.cur files are hostile or edge cases).
const std::regex kPillowValidIcons(
    R"(pillow/(hopper|hopper_256x256|python|pillow|hopper_draw|black_and_white|hopper_mask)\.ico|pillow/(deerstalker|mask_1|mask_L)\.cur)");
const std::regex kPillowEdgeIcons(R"(pillow/hopper_unexpected\.ico)");

std::map<std::string, std::string> ReadTsvColumn(const fs::path& file, int keyColumn,
                                                 int valueColumn) {
  std::map<std::string, std::string> out;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    for (std::string f; std::getline(ss, f, '\t');) fields.push_back(f);
    if (static_cast<int>(fields.size()) > std::max(keyColumn, valueColumn)) {
      out[fields[keyColumn]] = fields[valueColumn];
    }
  }
  return out;
}

// width, height and the first frame's reference of a pygif .conf; empty frames = no picture.
struct PygifConf {
  int width = 0, height = 0;
  bool hasFrames = false;
  std::string pixels, image;
};

PygifConf ReadPygifConf(const fs::path& conf) {
  PygifConf c;
  std::ifstream in(conf);
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] == '[') section = line;
    const auto eq = line.find(" = ");
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 3);
    if (section == "[config]" && key == "width") c.width = std::stoi(value);
    if (section == "[config]" && key == "height") c.height = std::stoi(value);
    if (section == "[config]" && key == "frames") c.hasFrames = !value.empty();
    if (section == "[frame0]" && key == "pixels") c.pixels = value;
    if (section == "[frame0]" && key == "image") c.image = value;
  }
  return c;
}

// bmpsuite.html: a row names the file, then its bit depth, then its reference rendering.
std::map<std::string, std::string> BmpSuiteRenderings(const fs::path& html) {
  std::ifstream in(html);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static const std::regex row(
      R"re(<td[^>]*>([gq]/[^<]+\.bmp)</td>\s*<td>[^<]*</td>\s*<td class=b><img src="([^"]+\.png)">)re");
  std::map<std::string, std::string> out;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), row); it != std::sregex_iterator();
       ++it) {
    out[(*it)[1]] = (*it)[2];
  }
  return out;
}

std::pair<int, int> GifScreenSize(const fs::path& gif) {
  std::ifstream in(gif, std::ios::binary);
  unsigned char h[10] = {};
  in.read(reinterpret_cast<char*>(h), 10);
  return {h[6] | (h[7] << 8), h[8] | (h[9] << 8)};
}

}  // namespace

std::vector<CorpusCase> ClassifyCorpus(const fs::path& root) {
  std::vector<std::pair<std::regex, const Rule*>> rules;
  for (const Rule& rule : kRules) rules.emplace_back(std::regex(rule.pattern), &rule);
  const auto plainBmp = ReadTsvColumn(root / "bmp-headers.tsv", 0, 7);
  const auto shownEntry = ReadTsvColumn(root / "ico-directories.tsv", 0, 4);
  const auto bmpRenderings = BmpSuiteRenderings(root / "bmpsuite/html/bmpsuite.html");

  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
  }
  std::sort(files.begin(), files.end());

  std::vector<CorpusCase> cases;
  for (const std::string& file : files) {
    const Rule* rule = nullptr;
    for (const auto& [re, r] : rules) {
      if (std::regex_match(file, re)) {
        rule = r;
        break;
      }
    }
    CorpusCase c{file, rule->verdict, {}, rule->tolerance, rule->opaqueOnly};
    const fs::path path = root / file;
    const fs::path stem = path.stem();
    RefKind ref = rule->ref;
    if (file.rfind("pillow/", 0) == 0 &&
        (path.extension() == ".ico" || path.extension() == ".cur")) {
      if (std::regex_match(file, kPillowValidIcons)) {
        c.verdict = Verdict::kCompare;
        ref = RefKind::kIcoShownEntry;
      } else if (std::regex_match(file, kPillowEdgeIcons)) {
        c.verdict = Verdict::kSurvive;
      }
    }
    switch (ref) {
      case RefKind::kNone:
        break;
      case RefKind::kSelf:
        c.reference = {"decode", path, {}};
        break;
      case RefKind::kSiblingPng:
        c.reference = {"image", fs::path(path).replace_extension(".png"), {}};
        break;
      case RefKind::kSdlSample:
        c.reference = {"decode", root / "sdl-image/sample.bmp", {}};
        break;
      case RefKind::kGifFrame0: {  // static pictures have a single rendering without a number
        const fs::path frames = path.parent_path() / "frames";
        const fs::path first = frames / (stem.string() + "-0.png");
        c.reference = {"image", fs::exists(first) ? first : frames / (stem.string() + ".png"), {}};
        break;
      }
      case RefKind::kPygif: {
        const PygifConf conf = ReadPygifConf(fs::path(path).replace_extension(".conf"));
        if (!conf.hasFrames) {
          c.verdict = Verdict::kRefuse;
        } else if (!conf.pixels.empty()) {
          c.reference = {"raw-rgba",
                         path.parent_path() / conf.pixels,
                         {std::to_string(conf.width), std::to_string(conf.height)}};
        } else {
          c.reference = {"image", path.parent_path() / conf.image, {}};
        }
        break;
      }
      case RefKind::kGiflibRgb: {
        const auto [w, h] = GifScreenSize(path);
        c.reference = {"raw-rgb",
                       root / "giflib/tests" / (stem.string() + ".rgb"),
                       {std::to_string(w), std::to_string(h)}};
        break;
      }
      case RefKind::kIcoShownEntry: {
        const auto it = shownEntry.find(file);
        const std::string entry =
            it == shownEntry.end() ? "-" : it->second.substr(0, it->second.find(' '));
        if (entry == "-" || entry.empty()) {
          c.verdict = Verdict::kRefuse;
        } else {
          c.reference = {"ico", path, {entry}};
        }
        break;
      }
      case RefKind::kBmpSuiteHtml: {
        const auto plain = plainBmp.find(file);
        const auto rendering = bmpRenderings.find(file.substr(std::string("bmpsuite/").size()));
        if (plain != plainBmp.end() && plain->second == "yes" && rendering != bmpRenderings.end()) {
          c.reference = {"image", root / "bmpsuite/html" / rendering->second, {}};
        } else {
          c.verdict = Verdict::kSurvive;
        }
        break;
      }
      case RefKind::kImageRs: {
        const std::string inside = file.substr(std::string("image-rs/images/").size());
        c.reference = {"image", root / "image-rs/reference" / (inside + ".png"), {}};
        if (!fs::exists(c.reference.path)) c.verdict = Verdict::kSurvive;  // "must decode" only
        break;
      }
      case RefKind::kPlainBmp: {
        const auto it = plainBmp.find(file);
        if (it != plainBmp.end() && it->second == "yes") {
          c.reference = {"decode", path, {}};
        } else {
          c.verdict = Verdict::kSurvive;
        }
        break;
      }
    }
    cases.push_back(std::move(c));
  }
  return cases;
}

}  // namespace quorvin::codecs::testing
