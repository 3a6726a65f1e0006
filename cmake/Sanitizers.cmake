# AddressSanitizer and UndefinedBehaviorSanitizer for every target of the
# test build; an undefined-behaviour report fails the run.
if(VELKRANT_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
