#include "settings/SaverSettings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "settings/OptionBits.h"
#include "settings/SettingNames.h"

namespace {

constexpr std::uint32_t kDefaultImagesPerSec = 20;
constexpr std::uint32_t kDefaultRadiusPercent = 8;

std::uint32_t SignExtend16(std::int16_t value) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

}  // namespace

void SaverSettings::LoadSettings() {
  LoadRadiusFactor();
  LoadImagesPerSec();
  LoadJoinTheDots();
  LoadObjectShape();
  LoadObjectRotation();
  LoadColourOption();
  LoadZoomOption();
  LoadEndDelay();
  LoadPausingActive();
  LoadPrintingActive();
  LoadPausingKay();
  LoadPrintingKey();
  LoadSequenceNo();
  LoadFileLocation();
}

void SaverSettings::LoadRadiusFactor() {
  m_objectSizeFactor = ReadInt(SettingNames::kRadiusFactor, kDefaultRadiusPercent) * 0.01;
}

void SaverSettings::LoadImagesPerSec() {
  const std::uint32_t perSecond = ReadInt(SettingNames::kImagesPerSec, kDefaultImagesPerSec);
  // 0 images per second cannot be divided into 1000 ms: take the default pace instead.
  // More than 1000 would give a 0 ms timer: run at the fastest pace the sheet offers.
  if (perSecond == 0) {
    m_timerInterval = 1000 / kDefaultImagesPerSec;
  } else {
    m_timerInterval = std::max<std::uint32_t>(1000 / perSecond, 1);
  }
}

void SaverSettings::LoadJoinTheDots() {
  const auto low16 =
      static_cast<std::int16_t>(ReadInt(SettingNames::kJoinTheDots, OptionBits::kJoinNo) & 0xFFFF);
  m_joinTheDots = low16 == 0 ? static_cast<std::int16_t>(OptionBits::kJoinNo) : low16;
}

void SaverSettings::LoadObjectShape() {
  m_objectShape = ReadInt(SettingNames::kObjectShape, OptionBits::kCircle);
}

void SaverSettings::LoadObjectRotation() {
  m_objectRotation = ReadInt(SettingNames::kObjectRotation, OptionBits::kRotateNone);
}

void SaverSettings::LoadColourOption() {
  m_colourOption = static_cast<std::int16_t>(
      ReadInt(SettingNames::kColourOption, SignExtend16(OptionBits::kColourHigh)) & 0xFFFF);
}

void SaverSettings::LoadZoomOption() {
  m_zoomOption = ReadInt(SettingNames::kZoomOption, 0);
}

void SaverSettings::LoadEndDelay() {
  m_endDelay = static_cast<std::int32_t>(ReadInt(SettingNames::kEndDelay, 1));
}

void SaverSettings::LoadPausingActive() {
  m_pausingActive = static_cast<std::int32_t>(ReadInt(SettingNames::kPausingActive, 0));
}

void SaverSettings::LoadPrintingActive() {
  m_printingActive = static_cast<std::int32_t>(ReadInt(SettingNames::kPrintingActive, 0));
}

void SaverSettings::LoadPausingKay() {
  m_pausingKey = ReadString(SettingNames::kPausingKay);
}

void SaverSettings::LoadPrintingKey() {
  m_printingKey = ReadString(SettingNames::kPrintingKey);
}

void SaverSettings::LoadSequenceNo() {
  m_sequenceNo = static_cast<std::int32_t>(ReadInt(SettingNames::kSequenceNo, 0));
}

void SaverSettings::LoadFileLocation() {
  m_fileLocation = ReadString(SettingNames::kFileLocation);
}

int SaverSettings::SaveRadiusFactor() {
  return WriteInt(SettingNames::kRadiusFactor, ObjectSizePercent());
}

int SaverSettings::SaveImagesPerSec() {
  return WriteInt(SettingNames::kImagesPerSec, ImagesPerSecond());
}

int SaverSettings::SaveJoinTheDots() {
  if (m_joinTheDots == 0) {
    m_joinTheDots = static_cast<std::int16_t>(OptionBits::kJoinNo);
  }
  return WriteInt(SettingNames::kJoinTheDots, SignExtend16(m_joinTheDots));
}

int SaverSettings::SaveObjectShape(std::uint32_t shapes) {
  return WriteInt(SettingNames::kObjectShape, shapes == 0 ? OptionBits::kCircle : shapes);
}

int SaverSettings::SaveObjectRotation(std::uint32_t rotations) {
  return WriteInt(SettingNames::kObjectRotation,
                  rotations == 0 ? OptionBits::kRotateNone : rotations);
}

int SaverSettings::SaveColourOption(std::int16_t colour) {
  return WriteInt(SettingNames::kColourOption, SignExtend16(colour));
}

int SaverSettings::SaveZoomOption(std::uint32_t zoom) {
  return WriteInt(SettingNames::kZoomOption, zoom);
}

int SaverSettings::SaveEndDelay() {
  return WriteInt(SettingNames::kEndDelay, static_cast<std::uint32_t>(m_endDelay));
}

int SaverSettings::SavePausingActive() {
  return WriteInt(SettingNames::kPausingActive, static_cast<std::uint32_t>(m_pausingActive));
}

int SaverSettings::SavePrintingActive() {
  return WriteInt(SettingNames::kPrintingActive, static_cast<std::uint32_t>(m_printingActive));
}

int SaverSettings::SavePausingKay() {
  return WriteString(SettingNames::kPausingKay, m_pausingKey);
}

int SaverSettings::SavePrintingKey() {
  return WriteString(SettingNames::kPrintingKey, m_printingKey);
}

int SaverSettings::SaveSequenceNo() {
  return WriteInt(SettingNames::kSequenceNo, static_cast<std::uint32_t>(m_sequenceNo));
}

int SaverSettings::SaveFileLocation() {
  return WriteString(SettingNames::kFileLocation, m_fileLocation);
}

std::uint32_t SaverSettings::ObjectSizePercent() const {
  const double percent = std::round(m_objectSizeFactor * 100.0);
  // A factor set by hand to something absurd must not overflow the conversion.
  if (!(percent > 0.0)) {
    return 0;
  }
  if (percent >= static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
    return std::numeric_limits<std::uint32_t>::max();
  }
  return static_cast<std::uint32_t>(percent);
}

std::uint32_t SaverSettings::ImagesPerSecond() const {
  return 1000 / TimerIntervalMs();
}

std::uint32_t SaverSettings::TimerIntervalMs() const {
  // The loader never leaves 0, but a record filled by hand might: a 0 ms timer would spin.
  return std::max<std::uint32_t>(m_timerInterval, 1);
}

std::uint32_t SaverSettings::EndDelayMs() const {
  // A negative delay waits as little as possible; a huge one is capped at the longest period
  // a window timer accepts (about 24.8 days) instead of overflowing when turned into ms.
  constexpr std::int64_t kLongestTimerMs = 0x7FFFFFFF;
  const std::int64_t ms = static_cast<std::int64_t>(m_endDelay) * 1000;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 0, kLongestTimerMs));
}

std::uint32_t SaverSettings::ShapeChoices() const {
  // The picker draws until it meets an enabled shape: with none enabled it would never end,
  // so a mask without any shape bit means the default, the Circle. Stray bits beside a real
  // one are kept, because they change how the picker draws and stored masks may rely on it.
  return (m_objectShape & OptionBits::kAllShapes) != 0 ? m_objectShape : OptionBits::kCircle;
}

std::uint32_t SaverSettings::RotationChoices() const {
  return (m_objectRotation & OptionBits::kAllRotations) != 0 ? m_objectRotation
                                                             : OptionBits::kRotateNone;
}

std::uint32_t SaverSettings::ZoomChoices() const {
  // The sheet can store a zoom level without any phase; the figure then zooms in one phase.
  if ((m_zoomOption & OptionBits::kAllZoomLevels) != 0 &&
      (m_zoomOption & OptionBits::kAllZoomPhases) == 0) {
    return m_zoomOption | OptionBits::kZoomOnePhase;
  }
  return m_zoomOption;
}

std::uint32_t SaverSettings::JoinChoices() const {
  const auto joins = static_cast<std::uint32_t>(static_cast<std::uint16_t>(m_joinTheDots));
  return (joins & OptionBits::kAllJoinModes) != 0 ? joins : OptionBits::kJoinNo;
}

std::uint32_t SaverSettings::ReadInt(std::string_view name, std::uint32_t defaultValue) const {
  return m_store != nullptr ? m_store->GetProfileInt(kSettingsSection, name, defaultValue)
                            : defaultValue;
}

std::string SaverSettings::ReadString(std::string_view name) const {
  return m_store != nullptr ? m_store->GetProfileString(kSettingsSection, name, "") : "";
}

int SaverSettings::WriteInt(std::string_view name, std::uint32_t value) const {
  return m_store != nullptr ? m_store->WriteProfileInt(kSettingsSection, name, value) : 0;
}

int SaverSettings::WriteString(std::string_view name, const std::string& value) const {
  return m_store != nullptr ? m_store->WriteProfileString(kSettingsSection, name, value) : 0;
}
