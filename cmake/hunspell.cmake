# Hunspell and the en_US dictionary are required: without them the spell checker could check
# nothing and its tests could not run. The dictionary is looked for where the program looks for it
# at run time (SpellDictionary::EnUs, src/platform/desktop/spell_dictionary.cpp); a machine that
# runs the program without it simply gets no spelling marks.
set(HARMONOTE_SPELLING_HINT
    "Install the Debian packages libhunspell-dev and hunspell-en-us, or run `bash scripts/bootstrap`, which installs everything the build needs.")

pkg_check_modules(HUNSPELL IMPORTED_TARGET hunspell)
if(NOT HUNSPELL_FOUND)
  message(FATAL_ERROR "Harmonote needs the Hunspell library for spell checking, and pkg-config "
                      "finds no \"hunspell\".\n${HARMONOTE_SPELLING_HINT}")
endif()

set(HARMONOTE_DICTIONARY_FOLDERS /usr/share/hunspell /usr/local/share/hunspell /usr/share/myspell
                                 /usr/share/myspell/dicts)
set(HARMONOTE_EN_US_DICTIONARY "")
foreach(folder IN LISTS HARMONOTE_DICTIONARY_FOLDERS)
  if(EXISTS ${folder}/en_US.aff AND EXISTS ${folder}/en_US.dic)
    set(HARMONOTE_EN_US_DICTIONARY ${folder}/en_US.dic)
    break()
  endif()
endforeach()
if(NOT HARMONOTE_EN_US_DICTIONARY)
  list(JOIN HARMONOTE_DICTIONARY_FOLDERS ", " folders)
  message(FATAL_ERROR "Harmonote needs the en_US Hunspell dictionary (en_US.aff and en_US.dic) for "
                      "spell checking, and none is in ${folders}.\n${HARMONOTE_SPELLING_HINT}")
endif()
