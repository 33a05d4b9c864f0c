//Maya ASCII 2014 scene
//Name: AmbientLight.ma
//Codeset: UTF-8
//The ambient light of the sample demo's 3D scene; its colour also tints the distance haze.
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "ambientLight1";
	setAttr ".t" -type "double3" 0 30 0 ;
createNode ambientLight -n "ambientLightShape1" -p "ambientLight1";
	setAttr -k off ".v";
	setAttr ".cl" -type "float3" 0.32 0.35 0.42 ;
	setAttr ".in" 1;
	setAttr ".as" 0.45;
select -ne :time1;
	setAttr ".o" 0;
// End of AmbientLight.ma
