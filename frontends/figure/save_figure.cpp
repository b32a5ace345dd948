#include "figure/save_figure.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "base/files/text_file.h"
#include "figure/figure_canvas.h"
#include "figure/figure_painter.h"
#include "figure/figure_text.h"
#include "figure/png_encoding.h"
#include "figure/svg_document.h"

namespace quorvane::figure {
namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  } catch (...) {
    return CAIRO_STATUS_NO_MEMORY;
  }
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

void Check(cairo_status_t status) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error(std::string("The figure could not be drawn: ") +
                             cairo_status_to_string(status));
}

// Paints the figure on the surface, scaled from points to its units, and
// finishes a document surface. Gives the texts kept for SVG.
std::string Paint(cairo_surface_t* surface, const Figure& figure, const FigureOptions& options,
                  double scale, bool svgTexts) {
  Check(cairo_surface_status(surface));
  ContextPtr cr(cairo_create(surface));
  Check(cairo_status(cr.get()));
  cairo_scale(cr.get(), scale, scale);
  std::string texts;
  {
    FigureCanvas canvas(cr.get(), svgTexts);
    PaintFigure(figure, canvas, options.WidthPoints(), options.HeightPoints());
    texts = canvas.SvgTextElements();
  }
  Check(cairo_status(cr.get()));
  cr.reset();
  // An image keeps its pixels until it is encoded; a document is written out.
  if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE) cairo_surface_flush(surface);
  else cairo_surface_finish(surface);
  Check(cairo_surface_status(surface));
  return texts;
}

}  // namespace

std::optional<FigureFormat> FigureFormatOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (extension == ".png") return FigureFormat::Png;
  if (extension == ".svg") return FigureFormat::Svg;
  if (extension == ".pdf") return FigureFormat::Pdf;
  return std::nullopt;
}

std::string RenderFigure(const Figure& source, FigureFormat format, const FigureOptions& options) {
  if (auto error = FigureOptionsError(options)) throw std::runtime_error(*error);
  Figure figure = source;
  if (!options.TitleLine) figure.Title.clear();
  const double width = options.WidthPoints();
  const double height = options.HeightPoints();
  std::string bytes;
  switch (format) {
    case FigureFormat::Png: {
      SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, options.Width, options.Height));
      Paint(image.get(), figure, options, options.Dpi / 72.0, false);
      std::optional<std::string> png = EncodePng(image.get(), options.Dpi);
      if (!png) throw std::runtime_error("The figure could not be encoded as PNG");
      return std::move(*png);
    }
    case FigureFormat::Svg: {
      SurfacePtr svg(cairo_svg_surface_create_for_stream(AppendBytes, &bytes, width, height));
      const std::string texts = Paint(svg.get(), figure, options, 1.0, true);
      svg.reset();
      return FinishSvgDocument(bytes, texts);
    }
    case FigureFormat::Pdf: {
      SurfacePtr pdf(cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, width, height));
      // An empty creation date leaves the date out, so the file does not
      // change with the day it is saved.
      cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_CREATE_DATE, "");
      cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_CREATOR, "Quorvane");
      if (!figure.Title.empty())
        cairo_pdf_surface_set_metadata(pdf.get(), CAIRO_PDF_METADATA_TITLE,
                                       PrintableText(figure.Title).c_str());
      Paint(pdf.get(), figure, options, 1.0, false);
      pdf.reset();
      return bytes;
    }
  }
  throw std::runtime_error("Unknown figure format");
}

std::optional<std::string> SaveFigure(const Figure& figure, const std::string& path,
                                      const FigureOptions& options) {
  const std::optional<FigureFormat> format = FigureFormatOf(path);
  if (!format) return "A figure is saved as .png, .svg or .pdf, not as " + path;
  std::string bytes;
  try {
    bytes = RenderFigure(figure, *format, options);
  } catch (const std::exception& error) {
    return error.what();
  }
  // The atomic writer copies the bytes as they are, so it serves PNG and PDF as well.
  return WriteTextFileAtomically(path, bytes);
}

std::optional<std::string> SaveSurface(const Control& surface, const std::string& path,
                                       const FigureOptions& options) {
  return SaveFigure(SavedFigure(surface), path, options);
}

}  // namespace quorvane::figure
