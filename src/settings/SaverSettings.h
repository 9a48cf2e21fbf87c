#pragma once

#include <cstdint>
#include <string>

#include "settings/ProfileStore.h"

// Every option of the saver, loaded once at start-up and again by the settings sheet, and
// written back value by value. Fields keep the stored values as they stand; the accessors
// at the end give the engine and the platform layers values that are always safe to use,
// so the one decision about out-of-range stored values is made here and nowhere else.
class SaverSettings {
 public:
  // Without a store, reads give the defaults and writes do nothing (engine tests, renderer).
  explicit SaverSettings(IProfileStore* store = nullptr) : m_store(store) {}

  void AttachStore(IProfileStore* store) { m_store = store; }

  // Reads every stored value, in the stored order; cannot fail.
  void LoadSettings();

  void LoadRadiusFactor();
  void LoadImagesPerSec();
  void LoadJoinTheDots();
  void LoadObjectShape();
  void LoadObjectRotation();
  void LoadColourOption();
  void LoadZoomOption();
  void LoadEndDelay();
  void LoadPausingActive();
  void LoadPrintingActive();
  void LoadPausingKay();
  void LoadPrintingKey();
  void LoadSequenceNo();
  void LoadFileLocation();

  // Writers return nonzero on success; callers ignore the result and the field keeps its
  // new value whatever the store did. The masks and the colour come from the sheet.
  int SaveRadiusFactor();
  int SaveImagesPerSec();
  int SaveJoinTheDots();
  int SaveObjectShape(std::uint32_t shapes);
  int SaveObjectRotation(std::uint32_t rotations);
  int SaveColourOption(std::int16_t colour);
  int SaveZoomOption(std::uint32_t zoom);
  int SaveEndDelay();
  int SavePausingActive();
  int SavePrintingActive();
  int SavePausingKay();
  int SavePrintingKey();
  int SaveSequenceNo();
  int SaveFileLocation();

  // The object size as a whole percent: what the sheet shows and "RadiusFactor" stores.
  std::uint32_t ObjectSizePercent() const;
  // Images per second as the sheet shows and "ImagesPerSec" stores: 1000 / interval.
  std::uint32_t ImagesPerSecond() const;

  // Safe values for the engine and the platform. Stored values that the sheet never
  // writes get a defined outcome here; see the .cpp for each choice.
  std::uint32_t TimerIntervalMs() const;
  std::uint32_t EndDelayMs() const;
  std::uint32_t ShapeChoices() const;
  std::uint32_t RotationChoices() const;
  std::uint32_t ZoomChoices() const;
  std::uint32_t JoinChoices() const;

  std::int32_t m_endDelay = 1;
  std::uint32_t m_zoomOption = 0;
  std::int16_t m_colourOption = 10;
  std::uint32_t m_objectRotation = 2;
  std::uint32_t m_objectShape = 2;
  std::int16_t m_joinTheDots = 2;
  std::uint32_t m_timerInterval = 50;
  double m_objectSizeFactor = 0.08;
  std::int32_t m_pausingActive = 0;
  std::int32_t m_printingActive = 0;
  std::string m_pausingKey;
  std::string m_printingKey;
  std::int32_t m_sequenceNo = 0;
  std::string m_fileLocation;

 private:
  std::uint32_t ReadInt(std::string_view name, std::uint32_t defaultValue) const;
  std::string ReadString(std::string_view name) const;
  int WriteInt(std::string_view name, std::uint32_t value) const;
  int WriteString(std::string_view name, const std::string& value) const;

  IProfileStore* m_store = nullptr;
};
