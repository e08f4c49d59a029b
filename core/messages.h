// Every text the editor shows in a message box, as code page 932 strings.
#pragma once

#include <string>
#include <vector>

// A base record of a package whose image is not 8 bits per pixel (slot 0-19).
std::string NotEightBitRecordMessage(int slot);
// A record larger than a slot, skipped (base records 00-19, masks 20-39).
std::string OversizedRecordMessage(int recordNumber);

// Part replacement from the collection.
std::string BaseMissingMessage(const std::string &fileName);
std::string TooLargeMessage();
std::string PartNotEightBitMessage(const std::string &fileName);
std::string MaskMissingMessage(const std::string &fileName);

// Export: the part files that could not be written.
std::string ExportFailedMessage(const std::vector<std::string> &fileNames);

// Pictures dropped onto the editor.
std::string DisplayPartsFirstMessage();
std::string ShrinkQuestion();
std::string PictureUnreadableMessage(const std::string &fileName);
std::string PictureBrokenMessage(const std::string &fileName);
std::string PictureTooLargeMessage(const std::string &fileName);
std::string ImportNotWrittenMessage(const std::string &fileName);
std::string UnmatchedFilesMessage(const std::vector<std::string> &fileNames);

// A part opened in the painting program.
std::string NoEditingProgramMessage(const std::string &fileName);

// Composing.
std::string OverwriteQuestion();
std::string InvalidFileNameMessage(const std::string &name);
std::string PackageNotSavedMessage(const std::string &fileName);
