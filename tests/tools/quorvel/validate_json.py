"""Validates JSON files against a JSON Schema (draft 2020-12) with jsonschema.

Usage: validate_json.py SCHEMA FILE...
Prints one line a file: "valid", or "invalid: " and the first reason.
"""
import json
import sys

import jsonschema


def main():
    with open(sys.argv[1], encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    for path in sys.argv[2:]:
        try:
            with open(path, encoding="utf-8") as instance_file:
                instance = json.load(instance_file)
        except ValueError as error:
            print("invalid: not JSON: %s" % error)
            continue
        errors = list(validator.iter_errors(instance))
        if errors:
            print("invalid: %s at %s" % (errors[0].message, list(errors[0].absolute_path)))
        else:
            print("valid")


if __name__ == "__main__":
    main()
