#include "platform/qt/QtDialogFont.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QStringList>

#include "config/PageTemplates.h"

QFont PageDialogFont() {
  QFont font;
  // Where the template's face is missing, a face of the same widths comes next, then the
  // face a fresh system is sure to have.
  font.setFamilies(QStringList{
      QString::fromUtf8(kPageFontFace.data(), static_cast<qsizetype>(kPageFontFace.size())),
      QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
      QStringLiteral("DejaVu Sans")});
  font.setPointSize(kPageFontPoints);
  return font;
}

CDialogBaseUnits DialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  return BaseUnitsFromFont(metrics.horizontalAdvance(QString::fromLatin1(kDialogUnitsAlphabet)),
                           metrics.height());
}

QRect DialogRect(const CDialogBaseUnits& units, int x, int y, int cx, int cy) {
  const CPixelRect r = MapDialogRect(units, x, y, cx, cy);
  return {r.x, r.y, r.width, r.height};
}
