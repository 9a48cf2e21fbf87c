// libFuzzer target: any bytes, read as the settings file, give a settings record and nothing
// else: no read outside a buffer, no undefined behaviour, no leak. Whatever the reader makes
// of them, the writer writes back, both into a fresh file and over the text it came from (as
// the settings sheet does), and reading either gives the same record again.

#include <string>
#include <string_view>
#include <tuple>

#include "settings/RegTextStore.h"
#include "settings/SaverSettings.h"

namespace {

auto Fields(const SaverSettings& s) {
  return std::tie(s.m_endDelay, s.m_zoomOption, s.m_colourOption, s.m_objectRotation,
                  s.m_objectShape, s.m_joinTheDots, s.m_timerInterval, s.m_objectSizeFactor,
                  s.m_pausingActive, s.m_printingActive, s.m_pausingKey, s.m_printingKey,
                  s.m_sequenceNo, s.m_fileLocation);
}

// Writes every value, as the settings sheet's OK does.
void SaveAll(SaverSettings& s) {
  using S = SaverSettings;
  for (const auto save :
       {&S::SaveRadiusFactor, &S::SaveImagesPerSec, &S::SaveJoinTheDots, &S::SaveEndDelay,
        &S::SavePausingActive, &S::SavePrintingActive, &S::SavePausingKay, &S::SavePrintingKey,
        &S::SaveSequenceNo, &S::SaveFileLocation}) {
    (s.*save)();
  }
  s.SaveObjectShape(s.m_objectShape);
  s.SaveObjectRotation(s.m_objectRotation);
  s.SaveColourOption(s.m_colourOption);
  s.SaveZoomOption(s.m_zoomOption);
}

// The record read back from the text that the writer left, parsed afresh as a file would be.
// The one change the writer makes on purpose: a shape or rotation mask of 0 (nothing ticked)
// is written as 2, the default choice.
void ExpectReadBack(const SaverSettings& record, const CRegTextStore& written) {
  SaverSettings expected = record;
  expected.m_objectShape = record.m_objectShape == 0 ? 2 : record.m_objectShape;
  expected.m_objectRotation = record.m_objectRotation == 0 ? 2 : record.m_objectRotation;
  CRegTextStore reread(written.Text());
  SaverSettings again(&reread);
  again.LoadSettings();
  if (Fields(again) != Fields(expected)) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CRegTextStore file(std::string_view(reinterpret_cast<const char*>(data), size));
  SaverSettings record(&file);
  record.LoadSettings();

  // The sheet's save may normalise a stored value (an empty join mask becomes "shape only");
  // what it writes must then be what the record holds.
  CRegTextStore fresh("");
  record.AttachStore(&fresh);
  SaveAll(record);
  ExpectReadBack(record, fresh);

  record.AttachStore(&file);
  SaveAll(record);
  ExpectReadBack(record, file);
  return 0;
}
