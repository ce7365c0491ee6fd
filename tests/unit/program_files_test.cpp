#include <cstring>

#include "program_dir.h"

TEST(ProgramPath, CutsBehindTheLastBackslashAndAppendsTheName) {
  OsSetExecutablePath("C:\\Prog\\Oristel.exe");
  char path[PathSize];
  EXPECT_EQ(GetProgramDirectory(path), 7);
  EXPECT_STREQ(path, "C:\\Prog\\");
  EXPECT_STREQ(BuildProgramPath(path, NotesFileIndex), "C:\\Prog\\cal_notas.dat");
  EXPECT_STREQ(BuildProgramPath(path, SettingsFileIndex), "C:\\Prog\\cal_2007.op");
  EXPECT_STREQ(BuildProgramPath(path, ImportErrorsFileIndex), "C:\\Prog\\Calendario_Errores_Import.txt");
  // No usable directory: the path stays empty rather than naming a file of
  // the current directory.
  const std::string longDir = "C:\\" + std::string(240, 'd') + "\\";
  for (const std::string& executable : {longDir + "Oristel.exe", std::string("Oristel.exe")}) {
    OsSetExecutablePath(executable.c_str());
    std::memset(path, 'x', sizeof path);
    EXPECT_STREQ(BuildProgramPath(path, ImportErrorsFileIndex), "") << executable.size();
  }
  OsSetExecutablePath(nullptr);
}

using FileOperations = ProgramDirTest;

// Checks run open, position, transfer: moving past the end succeeds, so a
// read past it fails as a read.
TEST_F(FileOperations, ReadReportsOpenThenTransferAndLeavesTheFileFree) {
  const std::string path = PathOf("data.bin");
  unsigned char buffer[4] = {};
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 0, 4), 0);
  WriteBytes(path, Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 4, 4) + ReadFileAt(path.c_str(), buffer, 100, 1), 0);
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 3, 4), 1);
  EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{4, 5, 6, 7}));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("leer", path), FileMessage("leer", path)}));
}

TEST_F(FileOperations, WriteNeverCreatesAndExtendsPastTheEnd) {
  const std::string path = PathOf("data.bin");
  const unsigned char data[2] = {0xAA, 0xBB};
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 0, 2) + AppendToFile(path.c_str(), data, 2), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("abrir", path)}));
  WriteBytes(path, Bytes{1, 2, 3, 4});
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 1, 2), 1);
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4}));  // in place, not shortened
  EXPECT_TRUE(WriteFileAt(path.c_str(), data, 6, 2) && AppendToFile(path.c_str(), data, 1) && Released(path));
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4, 0, 0, 0xAA, 0xBB, 0xAA}));
  EXPECT_EQ(g_shown.size(), 2u);
}

TEST_F(FileOperations, SizeCreateAndHandleOperations) {
  const std::string path = PathOf("made.txt"), nowhere = PathOf("no_such_folder/x.txt");
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);  // missing: 0 with a message
  const FileHandle file = CreateNewFile(path.c_str());
  ASSERT_NE(file, NoFile);
  EXPECT_TRUE(AppendToHandle(file, path.c_str(), "abc", 3) && WriteAtOffset(file, path.c_str(), "Z", 1, 1) &&
              AppendToHandle(file, path.c_str(), "de", 2));
  OsClose(file);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 5u);
  EXPECT_EQ(ReadBytes(path), (Bytes{'a', 'Z', 'c', 'd', 'e'}));
  ASSERT_EQ(CreateEmptyFile(path.c_str()), 1);  // over an existing file: empties it
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);  // empty: 0 without a message
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(CreateEmptyFile(nowhere.c_str()), 0);
  EXPECT_EQ(OpenExistingFile(FileRead, nowhere.c_str()), NoFile);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("crear", nowhere),
                                  FileMessage("abrir", nowhere)}));
}

TEST_F(FileOperations, FixedMessagesAndTheLongestPath) {
  const std::string longest(PathSize - 1, 'p');
  EXPECT_EQ(ShowProgramMessage(MessageFileTooLarge) + ShowProgramMessage(7), 0);  // 7: none, nothing shown
  EXPECT_EQ(ReportFileError(longest.c_str(), VerbSeek), 0);
  EXPECT_EQ(g_shown, (std::vector<std::string>{"El tama\xF1o del archivo excede la capacidad disponible",
                                               FileMessage("posicionarme", longest)}));
}

// The fuzzers' memory files: a path read through the same calls as a file,
// with the bytes given; writing still goes to the real file.
TEST_F(FileOperations, AMemoryFileIsReadAsTheFileOfItsPath) {
  const std::string path = PathOf("memoria.cal");
  OsSetMemoryFile(path.c_str(), "0123456789", 10);
  char read[4] = {};
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 10u);
  EXPECT_EQ(ReadFileAt(path.c_str(), read, 6, 4), 1);
  EXPECT_EQ(std::string(read, 4), "6789");
  EXPECT_EQ(ReadFileAt(path.c_str(), read, 8, 4), 0);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("leer", path)})) << "a short read, told";
  EXPECT_EQ(OsOpenExisting(path.c_str(), FileWrite), NoFile) << "the real file is missing";
  OsSetMemoryFile(path.c_str(), nullptr, 0);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);
}
