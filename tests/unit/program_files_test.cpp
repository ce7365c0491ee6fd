#include <cstring>

#include "program_dir.h"

using Bytes = std::vector<unsigned char>;

static std::string Message(const char* verb, const std::string& path) {
  return std::string("No he podido ") + verb + " el archivo: " + path;
}

TEST(ProgramPath, CutsBehindTheLastBackslashAndAppendsTheName) {
  OsSetExecutablePath("C:\\Prog\\Oristel.exe");
  char path[PathSize];
  EXPECT_EQ(GetProgramDirectory(path), 7);
  EXPECT_STREQ(path, "C:\\Prog\\");
  EXPECT_STREQ(BuildProgramPath(path, NotesFileIndex), "C:\\Prog\\cal_notas.dat");
  EXPECT_STREQ(BuildProgramPath(path, SettingsFileIndex), "C:\\Prog\\cal_2007.op");
  EXPECT_STREQ(BuildProgramPath(path, ImportErrorsFileIndex), "C:\\Prog\\Calendario_Errores_Import.txt");
  OsSetExecutablePath(nullptr);
}

TEST(ProgramPath, ANameThatWouldOverflowThePathIsNotAppended) {
  std::string longDir = "C:\\" + std::string(240, 'd') + "\\Oristel.exe";
  OsSetExecutablePath(longDir.c_str());
  char path[PathSize];
  BuildProgramPath(path, ImportErrorsFileIndex);
  EXPECT_LT(std::strlen(path), static_cast<size_t>(PathSize));
  EXPECT_EQ(path[std::strlen(path) - 1], '\\');
  OsSetExecutablePath(nullptr);
}

using FileOperations = ProgramDirTest;

TEST_F(FileOperations, ReadReportsOpenThenTransferAndLeavesTheFileFree) {
  std::string path = PathOf("data.bin");
  unsigned char buffer[8] = {};
  // Missing file: "abrir".
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 0, 4), 0);
  // One byte short of offset + count: moving past the end succeeds, the read is short: "leer".
  WriteBytes(path, Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 4, 4), 0);
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 100, 1), 0);
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 3, 4), 1);
  EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{4, 5, 6, 7}));
  EXPECT_EQ(ShownMessages(), (std::vector<std::string>{Message("abrir", path), Message("leer", path),
                                                       Message("leer", path)}));
  // The handle was closed on every path: the file can be replaced at once.
  std::filesystem::remove(path);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FileOperations, WriteNeverCreatesAndExtendsPastTheEnd) {
  std::string path = PathOf("data.bin");
  const unsigned char data[2] = {0xAA, 0xBB};
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 0, 2), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(ShownMessages(), std::vector<std::string>{Message("abrir", path)});

  WriteBytes(path, Bytes{1, 2, 3, 4});
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 1, 2), 1);
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4}));  // in place, not shortened
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 6, 2), 1);
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4, 0, 0, 0xAA, 0xBB}));
  EXPECT_EQ(AppendToFile(path.c_str(), data, 1), 1);
  EXPECT_EQ(ReadBytes(path).size(), 9u);
  EXPECT_EQ(ShownMessages().size(), 1u);
}

TEST_F(FileOperations, SizeCreateAndHandleOperations) {
  std::string path = PathOf("made.txt");
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);
  EXPECT_EQ(ShownMessages(), std::vector<std::string>{Message("abrir", path)});
  ShownMessages().clear();

  ASSERT_EQ(CreateEmptyFile(path.c_str()), 1);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);  // empty: 0 without a message
  FileHandle file = CreateNewFile(path.c_str());
  ASSERT_NE(file, NoFile);
  EXPECT_EQ(AppendToHandle(file, path.c_str(), "abc", 3), 1);
  EXPECT_EQ(WriteAtOffset(file, path.c_str(), "Z", 1, 1), 1);
  EXPECT_EQ(AppendToHandle(file, path.c_str(), "de", 2), 1);
  OsClose(file);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 5u);
  std::vector<unsigned char> content = ReadBytes(path);
  EXPECT_EQ(std::string(content.begin(), content.end()), "aZcde");
  // Creating over an existing file empties it.
  ASSERT_EQ(CreateEmptyFile(path.c_str()), 1);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);

  std::string nowhere = PathOf("no_such_folder/x.txt");
  EXPECT_EQ(CreateEmptyFile(nowhere.c_str()), 0);
  EXPECT_EQ(OpenExistingFile(FileRead, nowhere.c_str()), NoFile);
  EXPECT_EQ(ShownMessages(), (std::vector<std::string>{Message("crear", nowhere), Message("abrir", nowhere)}));
}

TEST(ProgramMessages, FixedTextsAndFileMessageWithTheLongestPath) {
  OsSetMessageBoxHook(RecordMessage);
  ShownMessages().clear();
  EXPECT_EQ(ShowProgramMessage(MessageNoInfoSelected), 0);
  EXPECT_EQ(ShowProgramMessage(MessageFileTooLarge), 0);
  EXPECT_EQ(ShowProgramMessage(7), 0);  // no such message: nothing shown
  std::string longest(PathSize - 1, 'p');
  EXPECT_EQ(ReportFileError(longest.c_str(), VerbSeek), 0);
  OsSetMessageBoxHook(nullptr);
  ASSERT_EQ(ShownMessages().size(), 3u);
  EXPECT_EQ(ShownMessages()[0], "No hay archivo de informaci\xF3n seleccionado");
  EXPECT_EQ(ShownMessages()[1], "El tama\xF1o del archivo excede la capacidad disponible");
  EXPECT_EQ(ShownMessages()[2], "No he podido posicionarme el archivo: " + longest);
}
