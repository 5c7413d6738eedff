// Typesets the user guide (Markdown with pictures) into a PDF at build time.
//   slideforge_guide_pdf docs/guide.md "Slideforge Documentation.pdf"
// The pictures are loaded relative to the guide and shown at their own size,
// or narrowed to the page's text width.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Pictures wider than the text are narrowed to it, keeping their aspect.
void FitPictures(QTextDocument& document, double text_width) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QImage picture =
          document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
      if (picture.isNull()) {
        std::fprintf(stderr, "guide picture not found: %s\n", qPrintable(format.name()));
        std::exit(1);
      }
      const double width = std::min<double>(picture.width(), text_width);
      format.setWidth(width);
      format.setHeight(width * picture.height() / picture.width());
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: slideforge_guide_pdf GUIDE.md OUT.pdf\n");
    return 2;
  }
  QFile guide(QString::fromLocal8Bit(argv[1]));
  if (!guide.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
  document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(guide).absolutePath() + QStringLiteral("/")));
  document.setMarkdown(QString::fromUtf8(guide.readAll()));

  QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
  pdf.setTitle(QStringLiteral("Slideforge Documentation"));
  pdf.setCreator(QStringLiteral("Slideforge"));
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20)));
  // Laid out at 96 dots to the inch, as the screenshots were taken.
  pdf.setResolution(96);
  document.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
  FitPictures(document, document.pageSize().width() - 2 * document.documentMargin());
  document.print(&pdf);
  return 0;
}
