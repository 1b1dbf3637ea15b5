# Embeds every file under data/ into the program as raw bytes, so the stored
# tables keep their GBK bytes exactly (no string literals involved).
# The files are reachable by their path relative to data/ through
# platform/embedded.h.

function(lanzhou_embed_data target data_dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE "${data_dir}" "${data_dir}/*")
  list(FILTER files EXCLUDE REGEX "(^|/)(NOTICE|README)[^/]*$")
  list(SORT files)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embedded_data.S")
  set(cpp "${CMAKE_CURRENT_BINARY_DIR}/embedded_index.cpp")
  set(asm_text "    .section .rodata\n    .balign 16\n")
  set(decls "")
  set(rows "")
  set(i 0)
  set(abs_files "")
  foreach(f IN LISTS files)
    set(abs "${data_dir}/${f}")
    list(APPEND abs_files "${abs}")
    string(APPEND asm_text "lanzhou_embed_${i}:\n    .incbin \"${abs}\"\nlanzhou_embed_${i}_end:\n    .byte 0\n    .balign 16\n")
    string(APPEND asm_text "    .global lanzhou_embed_${i}\n    .global lanzhou_embed_${i}_end\n")
    string(APPEND decls "extern \"C\" const char lanzhou_embed_${i}[];\nextern \"C\" const char lanzhou_embed_${i}_end[];\n")
    string(APPEND rows "    {\"${f}\", {lanzhou_embed_${i}, static_cast<std::size_t>(lanzhou_embed_${i}_end - lanzhou_embed_${i})}},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  string(APPEND asm_text "    .section .note.GNU-stack,\"\",@progbits\n")
  file(CONFIGURE OUTPUT "${asm}" CONTENT "${asm_text}")
  file(CONFIGURE OUTPUT "${cpp}" CONTENT
"// Generated at configure time: the index of the embedded data files.
#include \"platform/embedded.h\"
#include <cstddef>
#include <utility>
${decls}
namespace platform::detail {
// Declared extern first: a namespace-scope const is otherwise local to this file.
extern const std::pair<std::string_view, std::string_view> kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;
const std::pair<std::string_view, std::string_view> kEmbeddedFiles[] = {
${rows}    {\"\", {}},
};
const std::size_t kEmbeddedFileCount = ${i};
}
")
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${abs_files}")
  target_sources(${target} PRIVATE "${asm}" "${cpp}")
endfunction()
