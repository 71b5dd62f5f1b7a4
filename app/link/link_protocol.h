#pragma once
// The device protocol as the link speaks it: framing bytes, reply markers,
// status bits, command codes and the limits of the request engine.
#include <cstdint>

inline constexpr uint8_t STX = 0x02;
inline constexpr uint8_t ETX = 0x03;
inline constexpr uint8_t REPLY_FLAG = 0x80;
inline constexpr uint8_t REPLY_ERROR_MARK = 0xFF;
inline constexpr uint8_t PRESENCE_REPLY = 0xE4;

// Status byte of every reply.
inline constexpr uint8_t DEVICE_STATUS_ERROR = 0x01;
inline constexpr uint8_t DEVICE_STATUS_OVERLOAD = 0x04;
inline constexpr uint8_t DEVICE_STATUS_UNDERLOAD = 0x08;
inline constexpr uint8_t DEVICE_STATUS_LOAD_CELL_ERROR = 0x10;
inline constexpr uint8_t DEVICE_STATUS_EXB = 0x40;
inline constexpr uint8_t DEVICE_STATUS_DEFAULT_SETUP = 0x80;

// Request engine.
inline constexpr int DEVICE_ADDRESS_COUNT = 127;  // queues of addresses 0..126
inline constexpr int ADDR_GLOBAL = 126;           // broadcast (device search)
inline constexpr int QUEUE_DEPTH = 8;
inline constexpr int MAX_PENDING = 128;
inline constexpr int TELEGRAM_TRIES = 2;
inline constexpr int COM_ERROR_LIMIT = 3;
inline constexpr int DEFAULT_ANSWER_TIMEOUT_MS = 700;
inline constexpr int SEND_TIMEOUT_MS = 2000;
inline constexpr int SEARCH_LISTEN_MS = 1000;
inline constexpr int SEND_PAUSE_MS = 500;  // pause after a send before the answer wait

// Telegram layout.
inline constexpr int TELEGRAM_SIZE = 140;
inline constexpr int TELEGRAM_HEADER = 5;  // address, length, command, 0, 0
inline constexpr int MAX_DATA_BYTES = 133;
inline constexpr int CHECKSUM_HIGH_INDEX = 138;
inline constexpr int CHECKSUM_LOW_INDEX = 139;
inline constexpr int RX_BUFFER_SIZE = 8192;
inline constexpr int STREAM_RING_SIZE = 8192;

// Block transfers of device memory.
inline constexpr int BLOCK_CHUNK_SIZE = 128;
inline constexpr int BLOCK_DATA_SIZE = 130;
inline constexpr int BLOCK_HEADER_SIZE = 5;
inline constexpr int READ_BUFFER_SIZE = 708;

// Bounds of the answer handling's retry rules: a reply for another command
// is answered by sending the request again at most once more, a busy device
// is asked again for at most this long.
inline constexpr int WRONG_COMMAND_LIMIT = 2;
inline constexpr int CHECKSUM_MISMATCH_LIMIT = 2;
inline constexpr int BUSY_RETRY_LIMIT_MS = 10000;

// Phases of the answer handler.
inline constexpr int PHASE_REQUEST = 1;
inline constexpr int PHASE_ANSWER = 2;

inline constexpr int EXPECTED_FIRMWARE_TYPE = 2;

enum : uint8_t {
  CMD_CAL_ZERO = 0x01,
  CMD_CAL_END = 0x02,
  CMD_EXT_CAL_ZERO = 0x03,
  CMD_EXT_CAL_END = 0x04,
  CMD_EXT_CAL_POINT = 0x05,
  CMD_CAL_SETTINGS = 0x06,
  CMD_THEO_CAL_ZERO = 0x07,
  CMD_THEO_CAL_END = 0x08,
  CMD_EXT_CAL_SETTINGS = 0x09,
  CMD_DELETE_CAL_POINTS = 0x0A,
  CMD_DELETE_CAL = 0x0B,
  CMD_TARE = 0x10,
  CMD_ADC_RAW = 0x11,
  CMD_VALUE_STREAM = 0x12,
  CMD_ADC_BTN = 0x13,
  CMD_ADC_FUNCTION = 0x14,
  CMD_ADC_SCALED = 0x15,
  CMD_ADC_MIN_MAX = 0x16,
  CMD_ADC_MILLIVOLT = 0x17,
  CMD_ADC_MODE = 0x18,
  CMD_SELECT_CHANNEL = 0x1A,
  CMD_ZERO = 0x1B,
  CMD_TARE_WEIGHT = 0x1C,
  CMD_ADC_INFO = 0x1E,
  CMD_ADC_STATE = 0x1F,
  CMD_LOG_MEMORY = 0x20,
  CMD_READ_CAL_POINTS = 0x21,
  CMD_SET_CLOCK = 0x24,
  CMD_READ_CLOCK = 0x25,
  CMD_READ_WEIGHT = 0x28,
  CMD_READ_EXB_VALUES = 0x2D,
  CMD_EXB_OUTPUT = 0x2E,
  CMD_RESET = 0x33,
  CMD_RESET_LOAD_COUNTER = 0x37,
  CMD_READ_LOAD_COUNTER = 0x38,
  CMD_READ_BELT_SCALE = 0x39,
  CMD_BLOCK_READ = 0x3C,
  CMD_BLOCK_WRITE = 0x3D,
  CMD_SETUP_ACTIVE = 0x3E,
  CMD_SETUP_CHECKSUM = 0x3F,
  CMD_SETUP_CHECKSUM_TEST = 0x40,
  CMD_LOAD_DEFAULTS = 0x41,
  CMD_LOAD_EEPROM = 0x42,
  CMD_DEFAULTS_TO_EEPROM = 0x43,
  CMD_RUNTIME_TO_EEPROM = 0x44,
  CMD_SETUP_SELECT = 0x45,
  CMD_SETUP_ERASE = 0x46,
  CMD_BLOCK_READ_ONCE = 0x47,
  CMD_IDENT_DATA = 0x48,
  CMD_SETUP_BACKUP = 0x49,
  CMD_SET_BAUD = 0x4A,
  CMD_ERROR_CODES = 0x50,
  CMD_PROFIBUS = 0x5A,
  CMD_SEARCH_DEVICES = 0x64,
  CMD_ADC_REG_WRITE = 0x6E,
  CMD_ADC_REG_READ = 0x6F,
  CMD_HOLD_CYCLIC = 0x70,
  CMD_ADC_RESET = 0x71,
  CMD_CAL_DEBUG = 0x7A,
  CMD_FACTORY_CAL_ENABLE = 0x7B,
  CMD_DIAG_READ = 0x7C,
  CMD_FACTORY_DATA = 0x7D,
  CMD_DEBUG_VARS = 0x7E,
  CMD_DEBUG_ACTION = 0x7F,
};

// Answer time-out of a command in ms; 0 for the codes that have none (the
// entry then keeps what it holds, and 0 counts as 700 ms).
int AnswerTimeoutMs(uint8_t command);
